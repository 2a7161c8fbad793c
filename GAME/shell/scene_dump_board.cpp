#include "GAME/shell/scene_dump_board.h"

#include <algorithm>

#include "GAME/board/board.h"
#include "GAME/board/pocket.h"
#include "GAME/board/preview_frame.h"
#include "GAME/board/trophy_icon.h"
#include "GAME/board/win_dialog.h"
#include "GAME/shell/leader_board.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/puzzle.h"
#include "GAME/shell/score_board.h"
#include "GAME/shell/setup_strip.h"
#include "GAME/shell/trophy_window.h"
#include "ST/button.h"
#include "ST/slider.h"

namespace GAME {

namespace {

// " <name> <x> <y>" of a sprite's position, truncated.
void At(std::ostream& out, const char* name, const JSPRITE& s) {
  out << " " << name << " " << int(s.position.x) << " " << int(s.position.y);
}

// The grid index of a (row, column) hint place, -1 for none.
int HintIndex(const PUZZLE_PIECES_SYSTEM& b, JST::iPOINT rowColumn) {
  if (rowColumn.x < 0 || rowColumn.y < 0) return -1;
  return rowColumn.x * b.cols + rowColumn.y;
}

void DumpStrip(const PUZZLE_IMG_HCANGE_SCREEN& s, std::ostream& out) {
  out << "strip count " << s.GetCount() << " distort " << s.GetDistort() << " rotation " << s.GetRotAccept() << "\n";
  out << "stripctl";
  At(out, "ok", *s.OkButton());
  At(out, "cancel", *s.CancelButton());
  At(out, "minus", *s.CountSlider()->minus);
  At(out, "plus", *s.CountSlider()->plus);
  At(out, "box", *s.RotationBox());
  out << "\n";
}

void DumpPanel(const PLAY_PANEL& panel, std::ostream& out) {
  const struct {
    const char* name;
    int code;
  } tools[] = {{"fly", PLAY_PANEL::kFly},   {"frame", PLAY_PANEL::kFrame},       {"magnifier", PLAY_PANEL::kMagnifier},
               {"border", PLAY_PANEL::kBorder}, {"help", PLAY_PANEL::kHelp}, {"sort", PLAY_PANEL::kSort},
               {"settings", PLAY_PANEL::kSettings}, {"exit", PLAY_PANEL::kExit}};
  for (const auto& t : tools) {
    const BUTTONACT* b = panel.Button(t.code);
    if (!b) continue;
    // A tool shown pushed is an inactive four-frame button.
    out << "tool " << t.name << " " << int(b->position.x) << " " << int(b->position.y) << " " << !b->active << "\n";
  }
  out << "panel active " << panel.IsActive() << "\n";
}

void DumpTools(const PUZZLE_PIECES_SYSTEM& b, std::ostream& out) {
  // Alphas as per cent, lowest of the inner pieces and of the edge pieces.
  int innerAlpha = 100, edgeAlpha = 100, pocketed = 0;
  for (const PUZZLE_PIECES* p : b.gridOrder) {
    int& a = p->edge ? edgeAlpha : innerAlpha;
    a = std::min(a, int(p->alpha * 100.0f + 0.5f));
    if (p->inPocket) ++pocketed;
  }
  out << "tools hint " << b.hintShown << " hintA " << HintIndex(b, b.hintFirst) << " hintB "
      << HintIndex(b, b.hintSecond) << " hints " << b.regH << " sorted " << b.regGVN2 << " edges " << b.edgesOnly
      << " innerAlpha " << innerAlpha << " edgeAlpha " << edgeAlpha << " faded " << b.showFrame << " magnifier "
      << b.MagnifierOn() << " preview " << b.showLitleFrame << " score " << b.regSc << " parts " << b.regF << "\n";
  if (const FLUING_FRAME* f = b.previewFrame) {
    out << "preview x " << int(f->position.x) << " y " << int(f->position.y) << " w " << f->FrameSize().x << " h "
        << f->FrameSize().y << " factor " << int(f->Factor() * 100.0f + 0.5f);
    const char* names[] = {"close", "size1", "size2", "size3"};
    for (int n = 0; n <= 3; ++n)
      if (const JBUTTONMAP4* button = f->Button(n)) At(out, names[n], *button);
    out << "\n";
  }
  if (const PUZZLE_POCKET* p = b.pocket) {
    out << "pocket open " << p->open << " motion " << p->motion << " inner " << p->InnerWidth() << " "
        << p->InnerHeight() << " outer " << p->Width() << " " << p->Height() << " pieces " << pocketed;
    if (p->Button()) At(out, "button", *p->Button());
    out << "\n";
  }
  // What lies on top at the centre of a piece that is not topmost there.
  for (size_t i = 0; i < b.gridOrder.size(); ++i) {
    const PUZZLE_PIECES* p = b.gridOrder[i];
    const int z = b.WhoIn(int(p->pos.x), int(p->pos.y));
    if (z > 0 && b.zOrder[size_t(z - 1)] != p) {
      const PUZZLE_PIECES* top = b.zOrder[size_t(z - 1)];
      out << "under " << i << " by " << (top->row * b.cols + top->column) << " z " << b.ZOf(p) << " topz " << z - 1
          << "\n";
    } else if (z == 0) {
      out << "under " << i << " by -1 z " << b.ZOf(p) << "\n";
    }
  }
  if (pocketed) {
    out << "pocketed";
    for (size_t i = 0; i < b.gridOrder.size(); ++i)
      if (b.gridOrder[i]->inPocket) out << " " << i;
    out << "\n";
  }
}

void DumpWin(const JDIALOGWIN& w, std::ostream& out) {
  const REG& r = w.Record();
  out << "win open 1";
  At(out, "ok", w.OkButton());
  out << " score " << r.score << " pieces " << r.pieces << " rotation " << r.rotation << " hours " << r.hours
      << " minutes " << r.minutes << " seconds " << r.seconds << " hints " << r.hints << " collector " << r.collector
      << " master " << r.jigsawMaster << " endurance " << r.endurance << " meditation " << r.meditation
      << " inconstancy " << r.inconstancy << " sage " << r.sage << " lord " << r.lord << " icons " << w.Icons().size();
  if (!w.Icons().empty()) At(out, "icon0", *w.Icons().front());
  out << "\n";
}

}  // namespace

void DumpBoardState(const PUZZLE& s, std::ostream& out) {
  if (const PUZZLE_PIECES_SYSTEM* b = s.board) {
    out << "grid " << b->cols << " " << b->rows << " rotation " << b->rotation << " min " << b->Min << "\n";
    DumpTools(*b, out);
    if (b->winDialog) DumpWin(*b->winDialog, out);
  }
  if (s.setupStrip) DumpStrip(*s.setupStrip, out);
  if (s.playPanel && s.state == PUZZLE::kPlay) DumpPanel(*s.playPanel, out);
  if (const auto* w = dynamic_cast<const SCORE_BOARD*>(s.scoreBoard)) {
    out << "scoreboard rows " << w->Rows().size();
    At(out, "ok", w->OkButton());
    out << "\n";
  }
  if (const auto* w = dynamic_cast<const ZOV::TROFEI_PANEL*>(s.trophyPanel)) {
    out << "trophywindow";
    At(out, "ok", w->OkButton());
    out << "\n";
  }
  if (const auto* w = dynamic_cast<const LIDER_BOARD*>(s.leaderBoard)) {
    out << "leaderboard";
    At(out, "ok", w->OkButton());
    out << "\n";
  }
}

}  // namespace GAME
