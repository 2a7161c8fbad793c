// GAME::PUZZLE: the layout for a screen size, the data folder and the menu
// border. The player's preferences and the window openers are in
// puzzle_windows.cpp, the saved games, the catalogue and the book tabs in
// puzzle_book_tabs.cpp.
//
// Layout at W x H (Reset; every product truncated):
//   upper panel (W/2, its image height/2), player icon 360 right, 50 down
//   bottom panel (W/2, H - its image height/2); the seven buttons on that
//   row, u = the play button's frame width: trophies W/2 - 3.2u,
//   leaders - 2.2u, scores - 1.2u, play W/2, cut + 1.2u, options + 2.2u,
//   exit + 3.2u
//   play panel (W/2, 0.97 H); galleries and saves panel in the book
//   corners at the lower screen corners, shrunk in 1/100 steps when half
//   the screen height is less than their image height
#include "GAME/board/board.h"
#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "GAME/shell/catalogue.h"
#include "GAME/shell/faq_screen.h"
#include "GAME/shell/frame_group.h"
#include "GAME/shell/leader_board.h"
#include "GAME/shell/options_window.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/progress_file.h"
#include "GAME/shell/puzzle.h"
#include "GAME/shell/puzzle_book.h"
#include "GAME/shell/save_panel.h"
#include "GAME/shell/score_board.h"
#include "GAME/shell/settings_window.h"
#include "GAME/shell/setup_strip.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/shell/trophy_window.h"
#include "GAME/ui/window_layout.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/cursor.h"
#include "ST/file.h"
#include "ST/game.h"
#include "ST/sound.h"
#include "platform/sys.h"

namespace GAME {

namespace {

constexpr float kPi = 3.14159265358979f;

// A corner ornament's scale for a screen of height h.
float CornerScale(int h, int texH) {
  if (texH <= 0 || h / 2 >= texH) return 1.0f;
  return float((h / 2) * 100 / texH) / 100.0f;
}

}  // namespace

void PUZZLE::Reset(int res) {
  const int w = game_->GetScreenWidth();
  const int h = game_->GetScreenHeight();
  if (blackTranslucent) {
    blackTranslucent->SetSizePix(w, h);
    blackTranslucent->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
    blackTranslucent->SetPos(w / 2, h / 2);
  }
  plat::PrintLine("Reset puzzle");
  screenWidth = w;
  screenHeight = h;
  screenRes = res;
  plat::PrintLine("Reset panels");
  menuBorder->SetSizePix(menuBorder->GetMyTexWidth(1), w);
  upperPanel->SetPos(w / 2, upperPanel->GetMyTexHeight(1) / 2);
  changePlayerIcon->SetPos(int(upperPanel->position.x) + 360, int(upperPanel->position.y) + 50);
  plat::PrintLine("Reset buttons");
  // Neighbouring buttons one frame width apart, so that none overlaps the
  // next (0.8 of it would).
  const float u = float(ZOV::FrameWidth(*buttonPlay));
  const int y = h - menuBottomPanel->GetMyTexHeight(1) / 2;
  menuBottomPanel->SetPos(w / 2, y);
  const float cx = float(w / 2);
  const struct {
    BUTTONACT* button;
    float units;
  } row[] = {{buttonTrophies, -3.2f}, {buttonLeaders, -2.2f}, {buttonScores, -1.2f}, {buttonPlay, 0.0f},
             {buttonCut, 1.2f},       {buttonOptions, 2.2f},  {buttonExit, 3.2f}};
  for (const auto& b : row) b.button->SetPos(int(cx + b.units * u), y);
  plat::PrintLine("Reset backs");
  plat::PrintLine("dificult...");
  if (setupStrip) setupStrip->Reset();
  plat::PrintLine("piece system...");
  if (board) {
    board->SetClip(w, h);
    board->Reset(h - (setupStrip ? setupStrip->GetWidth() : 0));
  }
  plat::PrintLine("Reset player panel");
  if (playPanel) playPanel->SetPos(w / 2, int(float(h) * 0.97f));
  for (FRAME_CHOISE_GROUP* g : groups) g->SetPos(w / 2, h / 2);
  if (savePanel) savePanel->SetPos(w, h);
  GetDataDirectory();
  menuBackground->SetSizePix(w, h);
  menuBackground->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
  menuBackground->StreckenTexelz();
  menuBackground->SetPos(w / 2, h / 2);
  for (JSPRITE* c : {menuLeftCorner, menuRightCorner}) {
    const float s = CornerScale(h, c->GetMyTexHeight(1));
    c->SetSize(s, s);
  }
  menuLeftCorner->CalculateHotSpot(ZOV::JENUM::HOT_BOTTOM_LEFT);
  menuLeftCorner->SetPos(0, h);
  menuRightCorner->CalculateHotSpot(ZOV::JENUM::HOT_BOTTOM_RIGHT);
  menuRightCorner->SetPos(w, h);
  book->Reset(w, h);
  profile->Reset(w, h);
  plat::PrintLine("Reset puzzle ok");
}

void PUZZLE::GetDataDirectory() {
  dataDir = "DATA/puzzles/low/";
  plat::PrintLine("Adr generating automaticaly for " + std::to_string(screenRes) + " folder is " + dataDir);
}

void PUZZLE::RenderMenuBorder() {
  const float w = float(screenWidth), h = float(screenHeight);
  menuBorder->CalculateHotSpot(ZOV::JENUM::HOT_TOP_LEFT);
  menuBorder->Render(0.0f, 0.0f);
  menuBorder->Render(0.0f, h, -kPi / 2);
  menuBorder->CalculateHotSpot(ZOV::JENUM::HOT_TOP_RIGHT);
  menuBorder->Render(w, 0.0f);
  menuBorder->Render(0.0f, 0.0f, -kPi / 2);
}

}  // namespace GAME
