#include "GAME/shell/entry.h"

#include "GAME/config/config.h"
#include "GAME/config/edition.h"
#include "GAME/config/globals.h"
#include "GAME/config/player_name.h"
#include "GAME/shell/loader.h"
#include "GAME/shell/loading_screen.h"
#include "GAME/shell/music_focus.h"
#include "GAME/shell/puzzle.h"
#include "GAME/shell/scene_dump.h"
#include "GAME/shell/scene.h"
#include "GAME/ui/shared_assets.h"
#include "ST/cursor.h"
#include "ST/file.h"
#include "ST/particles.h"
#include "ST/textbox.h"

ZOV::ST_GAME* Game = nullptr;
ZOV::JINGFX* zov = nullptr;
ZOV::ST_INPUT* INPUTNAME = nullptr;

namespace {

// A named file of the installation that must exist unless its flag allows
// it to be missing; an empty name counts as missing.
bool InstallationFileMissing(bool mayBeMissing, const std::string& name) {
  if (mayBeMissing) return false;
  return name.empty() || !ZOV::ifile.CheckFileExist(name.c_str());
}

const char* TextOrEmpty(const char* text) { return text ? text : ""; }

// Called once a frame right after the scene's update; WinMain registers
// the test-only scene view here when JIGSAW_STATE_DUMP names its file.
void (*gFrameObserver)() = nullptr;

// The test-only view for scripted players (scene_dump.h), numbered by the
// frames the scene has updated.
void DumpScene() {
  static long frames = 0;
  ++frames;
  if (const auto* scene = dynamic_cast<const GAME::PUZZLE*>(puzzle))
    GAME::DumpSceneState(*scene, frames, GAME::SceneDumpPath());
}

}  // namespace

int WinMain() {
  Game = ZOV::GetGame();
  zov = Game->GetGfx();
  INPUTNAME = Game->GetInput();
  // The lock `cs` shared with the loader is a static object, ready before
  // anything could start the loader.
  LoadEdition();
  // Every text box the game makes takes names: it keeps what a player's
  // folder name may hold.
  JTEXTBOX::SetRefusalRule(&GAME::IsRefusedNameChar);
  // The program file is tested only when the URL file passed: one message.
  if (InstallationFileMissing(gEdition.run_if_url_lost, gEdition.url_file) ||
      InstallationFileMissing(gEdition.run_if_exe_lost, gEdition.exe_file)) {
    ZOV::ifile.ShowMessage("Some files are corrupt. The game may not run. Please reinstall the game", "Error");
    return -1;
  }
  LoadConfig();
  plat::PrintLine("Programm starting ");
  Game->SetGameName(chTEXT_PRODUCT_NAME);
  Game->SetIni(Initgoizflhgz);
  // The loader's two makers, registered together: a second registration
  // would replace the first.
  GAME::SetLoaderParts({&GAME::MakeLoadingScreen, &GAME::MakePuzzle});
  Game->SetRnd(Renderjbxoig);
  Game->SetUpd(Updatenjlkxfdg);
  if (!GAME::SceneDumpPath().empty()) gFrameObserver = &DumpScene;
  Game->SetKillFocusFunc(KillFocus);
  Game->SetPostRnd(PostRndr);
  Game->SetSetFocusFunc(FocusG);
  Game->SetCloseFunc(CloseWindow);
  Game->SetClearColor(static_cast<int>(0xFF000000u));
  Game->random.Seed(float(Game->timer.GetCurTime()));
  plat::PrintLine("Programm starting init...");
  const int r = Game->Init(chTEXT_COMPANY_NAME, chTEXT_PRODUCT_NAME);
  if (r == -1) {
    // Init refuses before it makes the window: the box has no owner then.
    plat::MessageBox(Game->GetWindow(), TextOrEmpty(chTEXT_ERROR_MESSAGE_PLAY_URL), "");
    return -1;
  }
  if (r == -2) {
    plat::MessageBox(Game->GetWindow(), TextOrEmpty(chTEXT_ERROR_MESSAGE_RESOLUTION), "Error");
    return -1;
  }
  Game->Run();
  // The window may have closed while the loader was still at work.
  GAME::StopLoader();
  return 0;
}

int Updatenjlkxfdg() {
  if (partHelp) partHelp->Update(0, 0.0f);
  if (partGlue) partGlue->Update(0, 0.0f);
  if (ePartBullet) ePartBullet->Update(0, 0.0f);
  if (puzzle) {
    puzzle->Update(0, 0.0f);
    if (gFrameObserver) gFrameObserver();
  }
  if (Mouse) Mouse->Update(0, 0.0f);
  return 0;
}

void Renderjbxoig() {
  if (puzzle) puzzle->Render(0);
}

void PostRndr() {
  if (puzzle) puzzle->PostRender();
  if (Mouse) Mouse->Render(0);
}

void KillFocus() { GAME::MusicFocusLost(); }

void CloseWindow() {
  // The window may close while the loader still builds the scene manager:
  // `puzzle` is read only once the loader has cleared the loading counter,
  // whose release publishes it. A scene still loading has nothing to save.
  if (Game && Game->loadingCount.load(std::memory_order_acquire) > 0) return;
  if (puzzle) puzzle->SaveBeforeClose();
}

void FocusG() { GAME::MusicFocusRegained(); }

void PuzzleReset() {
  if (puzzle) puzzle->Reset(Game->screenRes);
}
