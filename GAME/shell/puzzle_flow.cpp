// GAME::PUZZLE: starting a picture or a saved game, the set-up strip, the
// play panel, the replay and every way out of a puzzle.
//
// Ways out of a puzzle (state kPlay), each with the board's Exit before it
// is deleted, the help window and the save question closed:
//   quit question yes, score 0     no save, record saved, "Puzzle quit -1"
//   quit question yes, score > 0   the save question opens
//   save question yes              save when a join was made (a failed save
//                                  keeps the puzzle), "Puzzle quit +1",
//                                  saves reloaded
//   save question no               no save, record saved, "Puzzle quit -1"
//   board -8 (win or resolution)   saves reloaded, scores checked
//   set-up strip Cancel (kSetup)   board and strip deleted
#include <algorithm>

#include "GAME/board/board.h"
#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "GAME/shell/faq_screen.h"
#include "GAME/shell/frame_group.h"
#include "GAME/shell/play_panel.h"
#include "GAME/shell/puzzle.h"
#include "GAME/shell/puzzle_book.h"
#include "GAME/shell/questions.h"
#include "GAME/shell/save_panel.h"
#include "GAME/shell/setup_strip.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/file.h"
#include "ST/game.h"
#include "ST/sound.h"
#include "platform/sys.h"

namespace GAME {

namespace {

void LogDataDir(int screenRes, const std::string& dataDir) {
  plat::PrintLine("Adr generating automaticaly for " + std::to_string(screenRes) + " folder is " + dataDir);
}

}  // namespace

FRAME* PUZZLE::ChosenPicture() {
  if (category < 1 || category > int(groups.size())) return nullptr;
  currentGroup = groups[size_t(category - 1)];
  return currentGroup->SelectedFrame();
}

void PUZZLE::DeleteBoard() {
  delete board;
  board = nullptr;
}

void PUZZLE::CloseSetupStrip() {
  delete setupStrip;
  setupStrip = nullptr;
}

void PUZZLE::CloseHelp() {
  delete faqWindow;
  faqWindow = nullptr;
}

bool PUZZLE::ResumeSelectedSave() {
  plat::PrintLine("Loading save");
  FRAME* save = savePanel ? savePanel->SelectedFrame() : nullptr;
  if (!save) return false;
  if (!board) board = new PUZZLE_PIECES_SYSTEM(game_);
  std::string path = save->savePath;
  const int r = board->LoadPuzzleState(path.data(), profile->GetSettings(), screenRes);
  if (r != PUZZLE_PIECES_SYSTEM::kLoadOk) {
    plat::PrintLine("Save not resumed " + std::to_string(r) + " " + save->savePath);
    DeleteBoard();
    return false;
  }
  board->state = PUZZLE_PIECES_SYSTEM::kStatePlay;
  board->Reset(0);
  board->SetColored(ZOV::JENUM::COLORS(profile->GetSettings()->Color));
  state = kPlay;
  InitPlayPanel();
  return true;
}

void PUZZLE::StartNow() {
  plat::PrintLine("PUZZLE::StartNow()");
  LogDataDir(screenRes, dataDir);
  ZOV::SoundRender(eButtonPlay);
  if (groups.empty()) return;
  if (category > int(groups.size())) {
    ResumeSelectedSave();
    return;
  }
  plat::PrintLine("Starting");
  FRAME* picture = ChosenPicture();
  // An empty chapter starts nothing.
  if (!picture) return;
  imagePath = picture->imageName;
  if (board) {
    DeleteBoard();
    plat::PrintLine("Piece Sys Destroyed ");
  }
  board = new PUZZLE_PIECES_SYSTEM(game_);
  {
    PackSelection pictures(C_NAME_PACK_IMAGE_SMAL, C_PAS_IMAGE);
    // The board cuts `min` pieces along the picture's shorter side.
    board->Init(imagePath.c_str(), picture->min, int(float(screenWidth) * 0.7f), profile->GetSettings(),
                picture->rot, 1.0f, 0);
  }
  board->SetSmImg(picture->thumbName.c_str());
  board->state = PUZZLE_PIECES_SYSTEM::kStateCutPending;
  board->SetColored(ZOV::JENUM::COLORS(profile->GetSettings()->Color));
  state = kPlay;
  InitPlayPanel();
  OnOffFAQ(1);
}

void PUZZLE::SetPzlOpt() {
  ZOV::ifile.Log("PUZZLE::SetPzlOpt()", false);
  LogDataDir(screenRes, dataDir);
  ZOV::SoundRender(eButton);
  if (category == kSavesCategory) return;
  // No strip without a picture to cut.
  FRAME* picture = ChosenPicture();
  if (!picture) return;
  state = kSetup;
  CloseSetupStrip();
  setupStrip = new PUZZLE_IMG_HCANGE_SCREEN(game_, comix, eButton);
  imagePath = picture->imageName;
  plat::PrintLine("Starting " + imagePath);
  DeleteBoard();
  board = new PUZZLE_PIECES_SYSTEM(game_);
  {
    PackSelection pictures(C_NAME_PACK_IMAGE_SMAL, C_PAS_IMAGE);
    board->Init(imagePath.c_str(), 3, screenHeight - setupStrip->GetWidth(), profile->GetSettings(),
                setupStrip->GetRotAccept(), 0.0f, 0);
  }
  imagePath = picture->thumbName;
  board->SetSmImg(imagePath.c_str());
  board->state = PUZZLE_PIECES_SYSTEM::kStateSetup;
  board->DrawGrid(0xFFFFFFFFul, 1, 0);
  board->SetColored(ZOV::JENUM::COLORS(profile->GetSettings()->Color));
}

namespace {

// Pixels kept between the play panel's tools and the screen's foot.
constexpr int kPanelFootGap = 2;

}  // namespace

void PUZZLE::InitPlayPanel() {
  PackSelection level(C_NAME_PACK_LEVEL, C_PAS_LEVEL);
  delete playPanel;
  playPanel = new PLAY_PANEL(chGAME_PLAY_PANEL, comix);
  // Near the foot, but never so low that the tools are cut by the screen's
  // edge.
  const BUTTONACT* tool = playPanel->Button(PLAY_PANEL::kFrame);
  const int lowest = tool ? screenHeight - tool->frame.y / 2 - kPanelFootGap : screenHeight;
  playPanel->SetPos(screenWidth / 2, std::min(int(float(screenHeight) * 0.97f), lowest));
}

void PUZZLE::OnPuzzleExit() {
  PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
  // One question at a time.
  if (!quitQuestion) quitQuestion = new PUZZLE_QUIT_QUEST();
}

bool PUZZLE::Savable() const {
  // regF counts the parts left: fewer than 2 is a finished puzzle.
  return state == kPlay && board && board->state == PUZZLE_PIECES_SYSTEM::kStatePlay && board->regCg > 0 &&
         board->regF >= 2 && !board->winDialog && board->winSparkle == PUZZLE_PIECES_SYSTEM::kIndexIdle;
}

void PUZZLE::SaveBeforeClose() {
  if (!Savable()) return;
  lastSaveResult = board->SavePuzzleState(profile->GetPlayerDir(), screenRes);
  plat::PrintLine("Saved before closing " + std::to_string(lastSaveResult));
}

void PUZZLE::GoodCloseGame() {
  SaveBeforeClose();
  game_->Off();
}

void PUZZLE::LeavePuzzle(const char* logLine) {
  if (board) board->Exit();
  DeleteBoard();
  state = kMenu;
  delete saveQuestion;
  saveQuestion = nullptr;
  CloseHelp();
  if (logLine) plat::PrintLine(logLine);
  // A button held across the change of screen does not act on the menu.
  input_->DropMouse();
}

void PUZZLE::Replay() {
  const int min = board->Min;
  const float distortion = board->distortion;
  const bool rotation = board->rotation;
  const int border = board->typeborder;
  const std::string picture = board->ImgAdr;
  const std::string thumbnail = board->ImgSmAdr;
  const std::string pack = board->ImgPkAdr;
  board->Exit();
  DeleteBoard();
  CloseHelp();
  ReloadSaves();
  board = new PUZZLE_PIECES_SYSTEM(game_);
  {
    // The picture comes from the pack it was cut from the first time.
    PackSelection pictures(pack.empty() ? C_NAME_PACK_IMAGE_SMAL : const_cast<char*>(pack.c_str()), C_PAS_IMAGE);
    board->Init(picture.c_str(), 3, 0, profile->GetSettings(), false, 0.0f, 0);
  }
  board->SetOptions(min, distortion, rotation, border);
  board->state = PUZZLE_PIECES_SYSTEM::kStateSetup;
  board->SetSmImg(thumbnail.c_str());
  if (playPanel) {
    playPanel->DropButtons();
    playPanel->Activate();
  }
  CheckScoreBoard();
}

}  // namespace GAME
