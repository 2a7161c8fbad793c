// GAME::PUZZLE: the player's preferences applied (SetPrefences, on closing
// the settings) and the window openers.
//
// Window openers: SetMainOptions (settings, with the resolution and authors
// windows inside it), LevelOptOnOff (in-game options), OnOffLiders (leader
// board), OnOffTrofeis (trophy window), OnOffScores (score board, from the
// progress file). Each opener is the one place its window is created (with
// the interface pack selected) and each closer the one place it is deleted.
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

void PUZZLE::SetPrefences() {
  plat::PrintLine("PUZZLE::SetPrefences()");
  PUZZLE_PLAYER_PROFILE* record = profile->GetSettings();
  if (state != kPlay) {
    switch (record->screen) {
      case ZOV::JENUM::SCREEN_DESKTOP:
        game_->ChangeResolution(game_->desktop.x, game_->desktop.y, record->Full);
        break;
      case ZOV::JENUM::SCREEN_1024X768: game_->ChangeResolution(1024, 768, record->Full); break;
      case ZOV::JENUM::SCREEN_1440X900: game_->ChangeResolution(1440, 900, record->Full); break;
      case ZOV::JENUM::SCREEN_1920X1080: game_->ChangeResolution(1920, 1080, record->Full); break;
      default: game_->ChangeResolution(game_->resX, game_->resY, game_->fullScreen); break;
    }
  }
  game_->ShowCursor(!record->Cursor);
  if (Mouse) Mouse->SetColor(record->Cursor ? int(0xFFFFFFFFu) : 0);
  SetVolume(record->Sound);
  SetVolumeMelody(record->MusicVolum);
  plat::PrintLine("Reset...");
  Reset(record->screen);
  plat::PrintLine("Reset ok");
  // A screen mode the player has not kept yet (the resolution window's
  // confirmation counting down, or its revert) never reaches the disk: a
  // kill during the countdown leaves the stored size as it was.
  if (!holdSave_ && !ModePending()) profile->SaveSettings();
  CheckScoreBoard();
  ActivateButton(1);
  plat::PrintLine("Prefences ok");
}

bool PUZZLE::ModePending() const {
  const auto* settings = dynamic_cast<const PUZZLE_SETTINGS*>(settingsWindow);
  return settings && settings->ModePending();
}

void PUZZLE::SettingsOff() {
  if (!settingsClosedOnce_) {
    settingsClosedOnce_ = true;
    SetPrefences();
  }
  plat::PrintLine("Settings off");
  ZOV::SoundRender(eButton);
  if (settingsWindow) {
    delete settingsWindow;
    settingsWindow = nullptr;
    plat::PrintLine("Settings off ok");
  }
}

void PUZZLE::SetMainOptions() {
  // The slot holds one window: a second opening would lose the first.
  if (settingsWindow) return;
  PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
  settingsWindow = new PUZZLE_SETTINGS("DATA/PP.png", "DATA/Button.png", chPTNS_GM_SLIDER, chPTNS_GM_CHBOX,
                                       "DATA/PP.png", "DATA/PP.png", comix, profile->GetSettings());
}

void PUZZLE::LevelOptOnOff() {
  if (optionsWindow) {
    delete optionsWindow;
    optionsWindow = nullptr;
    return;
  }
  PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
  optionsToolPressed_ = false;
  optionsWindow = new PUZZLE_OPTIONS_GAME(profile->GetSettings());
}

void PUZZLE::OnOffLiders() {
  if (leaderBoard) {
    delete leaderBoard;
    leaderBoard = nullptr;
    return;
  }
  PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
  auto* leaders = new LIDER_BOARD(comix);
  FillLeaderBoard(*leaders, *profile);
  leaderBoard = leaders;
}

void PUZZLE::OnOffTrofeis() {
  if (trophyPanel) {
    delete trophyPanel;
    trophyPanel = nullptr;
    return;
  }
  PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
  trophyPanel = new ZOV::TROFEI_PANEL(comix, profile->GetSettings());
}

void PUZZLE::OnOffScores() {
  if (scoreBoard) {
    delete scoreBoard;
    scoreBoard = nullptr;
    return;
  }
  PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
  auto* scores = new SCORE_BOARD(comix);
  FillScoreBoard(*scores, PROGRESS_FILE(profile->GetPlayerDir(), C_NAME_PROGRESS_FILE));
  scoreBoard = scores;
}

void PUZZLE::CheckScoreBoard() {
  GAME::CheckScoreBoard(*buttonScores, PROGRESS_FILE(profile->GetPlayerDir(), C_NAME_PROGRESS_FILE));
}

void PUZZLE::SaveComplitePuzzle() {
  if (!board) return;
  // The board's own flag makes a second report of the same finish append
  // nothing.
  if (!GAME::SaveComplitePuzzle(*board, PROGRESS_FILE(profile->GetPlayerDir(), C_NAME_PROGRESS_FILE))) return;
  if (playPanel) playPanel->Deactivate();
  profile->SaveSettings();
  CheckScoreBoard();
}

void PUZZLE::OnOffFAQ(int mode) {
  PUZZLE_PLAYER_PROFILE* record = profile->GetSettings();
  if (!record->Help) return;
  PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
  // A new help window replaces one still open: the slot holds one window.
  CloseHelp();
  if (mode == 1) {
    faqWindow = new FAQ_SCREEN(board && board->rotation ? FAQ_SCREEN::kMouseWithRotation : FAQ_SCREEN::kMouse);
  } else {
    faqWindow = new FAQ_SCREEN(FAQ_SCREEN::kPocket);
    record->Help = false;
  }
}

}  // namespace GAME
