// GAME::PUZZLE: the saved games' panel (loaded and reloaded from the
// player's folder), the picture catalogue read from "pzls.xml", and the
// book tab that chooses between them.
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
