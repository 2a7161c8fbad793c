#include "GAME/shell/entry.h"

#include "GAME/config/config.h"
#include "GAME/config/edition.h"
#include "GAME/config/globals.h"
#include "ST/file.h"

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

}  // namespace

int WinMain() {
  Game = ZOV::GetGame();
  zov = Game->GetGfx();
  INPUTNAME = Game->GetInput();
  LoadEdition();
  if (InstallationFileMissing(gEdition.run_if_url_lost, gEdition.url_file) ||
      InstallationFileMissing(gEdition.run_if_exe_lost, gEdition.exe_file)) {
    ZOV::ifile.ShowMessage("Some files are corrupt. The game may not run. Please reinstall the game", "Error");
    return -1;
  }
  LoadConfig();
  plat::PrintLine("Programm starting ");
  Game->SetGameName(chTEXT_PRODUCT_NAME);
  Game->SetIni(Initgoizflhgz);
  Game->SetRnd(Renderjbxoig);
  Game->SetUpd(Updatenjlkxfdg);
  Game->SetKillFocusFunc(KillFocus);
  Game->SetPostRnd(PostRndr);
  Game->SetSetFocusFunc(FocusG);
  Game->SetClearColor(static_cast<int>(0xFF000000u));
  Game->random.Seed(float(Game->timer.GetCurTime()));
  plat::PrintLine("Programm starting init...");
  const int r = Game->Init(chTEXT_COMPANY_NAME, chTEXT_PRODUCT_NAME);
  if (r == -1) {
    // No window exists yet: the box has no owner.
    plat::MessageBox(Game->GetWindow(), chTEXT_ERROR_MESSAGE_PLAY_URL ? chTEXT_ERROR_MESSAGE_PLAY_URL : "", "");
    return -1;
  }
  if (r == -2) {
    plat::MessageBox(Game->GetWindow(), chTEXT_ERROR_MESSAGE_RESOLUTION ? chTEXT_ERROR_MESSAGE_RESOLUTION : "",
                     "Error");
    return -1;
  }
  Game->Run();
  return 0;
}

void Initgoizflhgz(void*) {
  plat::PrintLine("Initialising game");
  plat::PrintLine("Init Complete");
  Game->loadingCount = 0;
  cs.Enter();
  Game->loadingScreen = nullptr;
  cs.Leave();
}

int Updatenjlkxfdg() { return 0; }

void Renderjbxoig() {}

void PostRndr() {}

void KillFocus() {}

void FocusG() {}

void PuzzleReset() {}
