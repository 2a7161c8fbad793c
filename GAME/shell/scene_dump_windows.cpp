#include "GAME/shell/scene_dump_windows.h"

#include "GAME/board/board.h"
#include "GAME/shell/apply_resolution.h"
#include "GAME/shell/authors_window.h"
#include "GAME/shell/choice_color.h"
#include "GAME/shell/leader_board.h"
#include "GAME/shell/options_window.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/puzzle.h"
#include "GAME/shell/resolution_window.h"
#include "GAME/shell/score_board.h"
#include "GAME/shell/settings_window.h"
#include "GAME/shell/trophy_window.h"
#include "ST/button.h"
#include "ST/game.h"
#include "ST/slider.h"
#include "platform/window.h"

namespace GAME {

namespace {

void Control(std::ostream& out, const char* name, const JSPRITE& s) {
  out << "ctl " << name << " " << int(s.position.x) << " " << int(s.position.y) << "\n";
}

void Slider(std::ostream& out, const char* name, const ZOV::JSLIDER_E& s) {
  out << "slider " << name << " " << int(s.knobX) << " " << int(s.knobY) << " " << int(s.GetValue()) << "\n";
}

void Box(std::ostream& out, const char* name, const JBUTTONCHK& b) {
  out << "box " << name << " " << int(b.position.x) << " " << int(b.position.y) << " " << (b.GetState() != 0)
      << "\n";
}

void DumpResolution(std::ostream& out, const PUZZLE_RESOLUTION& r) {
  if (const APPLY_RESOLUTION* c = r.Confirmation()) {
    out << "window confirm\n";
    out << "confirm " << c->ShownSeconds() << "\n";
    Control(out, "ok", c->OkButton());
    Control(out, "cancel", c->CancelButton());
    return;
  }
  out << "window resolution\n";
  static const char* const kSizeNames[PUZZLE_RESOLUTION::kSizes] = {"s1024", "s1440", "s1920"};
  for (int i = 0; i < PUZZLE_RESOLUTION::kSizes; ++i)
    if (const CHEBOX_TEXT* b = r.SizeBox(PUZZLE_RESOLUTION::Size(i))) Box(out, kSizeNames[i], b->Box());
  Box(out, "system", r.SystemBox().Box());
  Box(out, "full", r.FullScreenBox().Box());
  Control(out, "ok", r.OkButton());
  Control(out, "cancel", r.CancelButton());
}

void DumpSettings(std::ostream& out, const PUZZLE_SETTINGS& s) {
  if (const PUZZLE_AUTHORS* a = s.Authors()) {
    out << "window authors\n";
    Control(out, "ok", a->OkButton());
    return;
  }
  if (const PUZZLE_RESOLUTION* r = s.Resolution()) {
    DumpResolution(out, *r);
    return;
  }
  out << "window settings\n";
  Slider(out, "music", s.MusicSlider());
  Slider(out, "sound", s.SoundSlider());
  Box(out, "cursor", s.CursorBox());
  Box(out, "fast", s.FastBox());
  Control(out, "resolution", s.ResolutionButton());
  Control(out, "authors", s.AuthorsButton());
  Control(out, "ok", s.OkButton());
  Control(out, "cancel", s.CancelButton());
}

void DumpOptions(std::ostream& out, const PUZZLE_OPTIONS_GAME& o) {
  out << "window options\n";
  Slider(out, "music", o.MusicSlider());
  Slider(out, "sound", o.SoundSlider());
  Box(out, "cursor", o.CursorBox());
  const CHOICE_COLOR& row = o.ColorRow();
  for (int i = 0; i < CHOICE_COLOR::kSwatches; ++i)
    out << "swatch " << i << " " << int(row.Swatch(i).position.x) << " " << int(row.Swatch(i).position.y) << " "
        << (row.Selected() == i) << " " << row.Color(i) << "\n";
  Control(out, "ok", o.OkButton());
  Control(out, "cancel", o.CancelButton());
}

}  // namespace

void DumpWindowsState(const PUZZLE& s, std::ostream& out) {
  ZOV::ST_GAME* game = s.Game();
  if (game) {
    const plat::Window* w = game->GetWindow();
    const plat::IPt client = w ? w->ClientSize() : plat::IPt{0, 0};
    out << "screen " << s.screenWidth << " " << s.screenHeight << " window " << client.x << " " << client.y
        << " full " << game->app.IsFullScreen() << "\n";
  }
  if (s.board && s.board->Background())
    out << "colour board " << int(s.board->Background()->GetColor()) << "\n";

  // The play panel's tool that opens the in-game options.
  if (s.state == PUZZLE::kPlay && s.playPanel)
    if (const BUTTONACT* t = s.playPanel->Button(PLAY_PANEL::kSettings)) Control(out, "tool", *t);

  // The topmost window, as the frame's dispatch serves them.
  if (const auto* settings = dynamic_cast<const PUZZLE_SETTINGS*>(s.settingsWindow)) {
    DumpSettings(out, *settings);
  } else if (const auto* leaders = dynamic_cast<const LIDER_BOARD*>(s.leaderBoard)) {
    out << "window leaders\n";
    Control(out, "ok", leaders->OkButton());
    const std::vector<LIDER_OPT>& e = leaders->Entries();
    for (size_t i = 0; i < e.size(); ++i) out << "leader " << i + 1 << " " << e[i].score << " " << e[i].name << "\n";
  } else if (const auto* scores = dynamic_cast<const SCORE_BOARD*>(s.scoreBoard)) {
    out << "window scores\n";
    Control(out, "ok", scores->OkButton());
  } else if (const auto* trophies = dynamic_cast<const ZOV::TROFEI_PANEL*>(s.trophyPanel)) {
    out << "window trophies\n";
    Control(out, "ok", trophies->OkButton());
  } else if (const auto* options = dynamic_cast<const PUZZLE_OPTIONS_GAME*>(s.optionsWindow)) {
    DumpOptions(out, *options);
  } else {
    out << "window none\n";
  }
}

}  // namespace GAME
