// GAME::PUZZLE: the two drawing passes.
//
//   main pass    play: background, border, board, play panel; else nothing
//   overlay      play: the panel's hints, the board's overlay, then the
//                options window, save question, quit question and help
//                window (windows over the magnifier and hints, not under)
//                set-up: background, the strip, the preview board, border
//                menu: background, corners, border, both panels, the player
//                icon with its caption and the player's name; the book, the
//                chapter's gallery page or the saves panel, the tab
//                captions, the seven buttons and their tips, the player
//                dialog; the settings window, leader board, score board,
//                trophy window and quit question when open
//   then in every state the cursor's snow and click burst.
#include "GAME/board/board.h"
#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "GAME/config/text_format.h"
#include "GAME/shell/faq_screen.h"
#include "GAME/shell/frame_group.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/puzzle.h"
#include "GAME/shell/puzzle_book.h"
#include "GAME/shell/questions.h"
#include "GAME/shell/save_panel.h"
#include "GAME/shell/setup_strip.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/particles.h"
#include "ST/renderer.h"

namespace GAME {

int PUZZLE::Render(int) {
  if (state != kPlay || !board) return 0;
  menuBackground->Render(0);
  RenderMenuBorder();
  board->Render(0);
  if (playPanel) playPanel->Render(0);
  return 0;
}

void PUZZLE::PostRender() {
  if (state == kPlay && board) {
    RenderPlay();
  } else if (state == kSetup && setupStrip) {
    RenderSetup();
  } else {
    RenderMenu();
  }
  if (snow) snow->Render(0);
  if (blow) blow->Render(0);
}

void PUZZLE::RenderPlay() {
  // The panel's hints and the board's overlay (magnifier, win dialog,
  // resolution message) first, so that a window opened over them, with its
  // dim layer, lies on top and nothing shows through it.
  // The tools' tips only while the panel has the mouse: a window over it
  // takes the pointer, and a tip would stay on under the window.
  if (playPanel && !WindowOverPlay()) playPanel->PostRender();
  board->PostRender();
  if (optionsWindow) optionsWindow->Render(0);
  if (saveQuestion) saveQuestion->Render(0);
  if (quitQuestion) quitQuestion->Render(0);
  if (faqWindow) faqWindow->Render(0);
}

void PUZZLE::RenderSetup() {
  menuBackground->Render(0);
  if (board) {
    setupStrip->Render(int(board->distortion * 100.0f), board->cols * board->rows);
    board->Render(0);
  } else {
    setupStrip->Render(0, 0);
  }
  RenderMenuBorder();
}

void PUZZLE::RenderMenu() {
  menuBackground->Render(0);
  ZOV::JINGFX* gfx = game_->GetGfx();
  gfx->SetAnisotropic(true);
  menuLeftCorner->Render(0);
  menuRightCorner->Render(0);
  gfx->SetAnisotropic(false);
  RenderMenuBorder();
  menuBottomPanel->Render(0);
  upperPanel->Render(0);
  changePlayerIcon->Render(0);
  if (comix) {
    // Left of the icon, on its middle line, in the band between the upper
    // panel and the book (under the icon the book would cover it). A
    // caption without numbers: drawn as written.
    comix->alignment = ZOV::JENUM::HOT_RIGHT_CENTER;
    cfg::RenderText(comix, int(changePlayerIcon->position.x) - changePlayerIcon->GetMyTexWidth(1) / 2 - 8,
                    int(changePlayerIcon->position.y), chTEXT_CHANGE_PLAYER);
  }
  profile->RenderName(screenWidth / 2, int(float(upperPanel->GetMyTexHeight(1)) * 0.4f + 5.0f));
  book->Render();
  if (!groups.empty() && category >= 1 && category <= int(groups.size())) groups[size_t(category - 1)]->Render();
  if (category == kSavesCategory && hasSaves && savePanel) savePanel->Render();
  book->RenderActiveButtons();
  const auto buttons = MenuButtons();
  for (BUTTONACT* b : buttons)
    if (b != buttonTrophies || TROFEI_ENABLE) b->Render(0);
  // A window over the menu takes the mouse: the buttons are not updated,
  // so a tip shown when it opened would stay; none is drawn under it.
  const bool windowOpen = WindowOverMenu();
  for (BUTTONACT* b : buttons)
    if (!windowOpen && (b != buttonTrophies || TROFEI_ENABLE)) b->RenderTip();
  profile->Render();
  for (JST::ST* w : {settingsWindow, leaderBoard, scoreBoard, trophyPanel})
    if (w) w->Render(0);
  if (quitQuestion) quitQuestion->Render(0);
}

}  // namespace GAME
