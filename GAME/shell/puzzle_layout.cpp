// GAME::PUZZLE: the layout for a screen size, the player's preferences, the
// window openers, the saved games and the picture catalogue, the book tabs.
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
#include "GAME/shell/shared_assets.h"
#include "GAME/shell/trophy_window.h"
#include "GAME/shell/window_layout.h"
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

void PUZZLE::LoadSaves() {
  plat::PrintLine("Load Saves");
  ZOV::SoundRender(eButtonPlay);
  savePanel = new PUZZLE_SAVEPANEL();
  std::string dir = profile->GetPlayerDir();
  if (savePanel->Fill(dir.data()) > 0) {
    hasSaves = true;
    book->Saves(true);
  } else {
    book->Saves(false);
    plat::PrintLine("Saves loaded");
  }
}

void PUZZLE::ReloadSaves() {
  plat::PrintLine("Reloading");
  if (hasSaves) savePanel->Clear();
  plat::PrintLine("Clear ok");
  std::string dir = profile->GetPlayerDir();
  if (savePanel->Fill(dir.data()) == 0) {
    book->Saves(false);
    book->DropButton(1);
    hasSaves = false;
    category = 1;
    buttonCut->Activate(true);
    plat::PrintLine("Reloading ok");
    return;
  }
  hasSaves = true;
  book->Saves(true);
  savePanel->SetPos(screenWidth, screenHeight);
}

void PUZZLE::LoadFramesList() {
  ZOV::ifile.Log("PUZZLE::LoadFramesList()", false);
  PUZZLE_PACK_COUNT = ReadCatalogue("pzls.xml", &groups);
  currentGroup = groups.empty() ? nullptr : groups.back();
  for (FRAME_CHOISE_GROUP* g : groups) g->SetPos(screenWidth / 2, screenHeight / 2);
  plat::PrintLine("PUZZLE::LoadFramesList() OK.  PUZZLE_PACK_COUNT = " + std::to_string(PUZZLE_PACK_COUNT));
}

void PUZZLE::ActivateButton(int id) {
  ZOV::SoundRender(eButton);
  if (book) book->DropButton(id);
  buttonCut->Activate(true);
  if (id != kSavesCategory) {
    category = id;
  } else if (hasSaves) {
    category = kSavesCategory;
    buttonCut->Activate(false);
  }
}

}  // namespace GAME
