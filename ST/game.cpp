#include "ST/game.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "GAME/config/edition.h"
#include "GAME/config/globals.h"
#include "ST/file.h"
#include "ST/text_cut.h"
#include "ST/window_proc.h"

plat::RecursiveMutex cs;

namespace ZOV {

ST_GAME* JGAMENAME = nullptr;

ST_GAME* GetGame() {
  if (!JGAMENAME) JGAMENAME = new ST_GAME();
  return JGAMENAME;
}

namespace {

namespace fs = std::filesystem;

std::string CurrentFolder() {
  const std::string dir = plat::CurrentDir();
  return dir.empty() ? std::string(".") : dir;
}

// The link a ".url" file holds: the URL= line of its [InternetShortcut]
// section, when it is a web address; "" otherwise.
std::string WebLinkOf(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inSection = line == "[InternetShortcut]";
      continue;
    }
    if (inSection && line.rfind("URL=", 0) == 0) {
      const std::string url = line.substr(4);
      if (url.rfind("http://", 0) == 0 || url.rfind("https://", 0) == 0) return url;
      return {};
    }
  }
  return {};
}

// The folder name made from a configured company or product name, with a
// log line when a configured name could not be used as it stands (none is
// configured by default: no line then).
std::string FolderName(const char* configured, const char* fallback, const char* what) {
  const std::string_view text = configured ? configured : "";
  std::string name = FolderNameFrom(text, fallback);
  if (name == text || text.empty()) return name;
  if (name == fallback)
    plat::PrintLine(std::string(what) + " name \"" + LogQuote(text) + "\" is not a folder name; " + fallback + " used");
  else
    plat::PrintLine(std::string(what) + " name \"" + LogQuote(text) + "\" is too long for a folder; its first " +
                    std::to_string(name.size()) + " bytes used");
  return name;
}

bool EndsWithNoCase(const std::string& s, const char* suffix) {
  const size_t n = std::strlen(suffix);
  if (s.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != suffix[i]) return false;
  return true;
}

}  // namespace

ST_GAME::ST_GAME() {
  // The desktop is taken last, when everything else exists.
  desktop = app.fGetSystemResolution();
}

void ST_GAME::SetGameName(const char* name) {
  std::memset(gameName, 0, sizeof gameName);
  if (!name) return;
  const size_t n = Utf8CutLength(name, sizeof gameName - 1);
  std::memcpy(gameName, name, n);
}

void ST_GAME::SetLoadingScreen(JST::ST* screen) {
  // The loader thread calls this while the main thread may be drawing a
  // loading frame: the device state changes under the same lock.
  CsHold hold;
  gfx.SetBlendMode(1);
  loadingScreen = screen;
}

ST_A* ST_GAME::GetSound(const char* name) { return LoadGameSound(&sound, name); }

int ST_GAME::Init(const char* company, const char* product) {
  if (chTEXT_ERROR_MESSAGE_PLAY_URL) {
    exeDir = CurrentFolder();
    if (!ifile.CheckFileExist((exeDir + "/play.url").c_str())) return -1;
  }
  if (desktop.x < 1024 || desktop.y < 768) return -2;
  companyName = FolderName(company, kDefaultCompanyFolder, "Company");
  productName = FolderName(product, kDefaultProductFolder, "Product");
  exeDir = CurrentFolder();
  plat::PrintLine("Execution dir is " + exeDir);
  if (!GameFolderExists()) CreateDefaultConfig();
  LoadGameConfig();
  ifile.Log(gameName, false);
  middle = JST::iPOINT(app.ClientWidth() / 2, app.ClientHeight() / 2);
  pMiddle = &middle;
  if (iniFunc) {
    loadingCount.store(2, std::memory_order_relaxed);  // the thread's start publishes it
    if (!plat::StartThread(iniFunc, nullptr)) {
      // Loading would never end: say so and stop.
      plat::MessageBox(app.fGetWindow(), "Cannot start loader", "Error");
      std::exit(-1);
    }
  }
  return 0;
}

bool ST_GAME::GameFolderExists() {
  const std::string dir = GetGameProfileDirg();
  std::error_code ec;
  if (fs::is_directory(dir, ec)) return true;
  // A folder that cannot even be examined is made anew like a missing one;
  // writing into it then fails and the game runs on the built-in settings.
  if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
    plat::PrintLine("Game folder not usable (" + ec.message() + "): " + dir);
  return false;
}

void ST_GAME::PumpMessages() {
  while (app.Window().PeekMessage(msg)) app.Window().DispatchMessage(msg);
}

int ST_GAME::Run() {
  plat::PrintLine("RUN!");
  running = 1;
  long passes = 0;
  while (running) {
    bool drew = false;
    if (!paused) {
      // Acquire: once the loader's release store of 0 is seen, every asset
      // it made before it is visible here.
      if (loadingCount.load(std::memory_order_acquire) > 0) {
        Loading(1);
        // Leave the loader room to take the lock between loading frames.
        plat::SleepMs(idleYieldMs_ ? 10 : 0);
      } else {
        Update();
        Render();
        drew = drewFrame_;
      }
    }
    PumpMessages();
    if (passLimit_ > 0 && ++passes >= passLimit_) running = 0;
    if (!running) break;
    if (paused) {
      // Nothing to do until the window comes back: wait for its events.
      app.Window().WaitForMessage(idleYieldMs_ ? 10 : 0);
    } else if (!drew && idleYieldMs_) {
      plat::SleepMs(idleYieldMs_);
    }
  }
  OpenEditionFiles();
  return 0;
}

void ST_GAME::OpenEditionFiles() {
  exeDir = CurrentFolder();
  for (const std::string* name : {&gEdition.url_file, &gEdition.exe_file}) {
    if (name->empty()) continue;
    // Only a plain file of the installation folder is ever opened.
    if (name->find('/') != std::string::npos || name->find('\\') != std::string::npos ||
        name->find("..") != std::string::npos) {
      plat::PrintLine("Not opening " + LogQuote(*name) + ": not a file of the game folder");
      continue;
    }
    const std::string path = exeDir + "/" + *name;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) continue;
    if (EndsWithNoCase(*name, ".url")) {
      const std::string url = WebLinkOf(path);
      if (!url.empty()) plat::ShellOpen(url);
      continue;
    }
    ifile.fOpenURL(name->c_str());
  }
}

int ST_GAME::Update() {
  timer.Update();
  if (updFunc) updFunc();
  input.Update(0);
  return 0;
}

int ST_GAME::Render() {
  drewFrame_ = false;
  frameAcc += GetDt() * float(frameCap);
  sinceFrame_ += GetDt();
  if (frameAcc < 1.0f) return 0;
  timer.SetDelta(sinceFrame_);
  frameAcc -= 1.0f;
  sinceFrame_ = 0.0f;
  const int r = gfx.BeginFrame();
  if (r == 2) resetHook_();
  if (r == -1) return 0;
  drewFrame_ = true;
  if (rndFunc) rndFunc();
  gfx.EndFrame();
  gfx.BeginPostFrame();
  if (postRndFunc) postRndFunc();
  gfx.EndPostFrame();
  return 0;
}

void ST_GAME::Loading(int) {
  // The loading screen is updated and drawn under the lock the loader
  // thread takes for every asset it makes; the buffer swap, which may wait
  // for the display for a good part of a frame, happens after the lock is
  // released, so the loader is never kept waiting on it. Only this thread
  // touches the device, and the loader's textures live in the texture table
  // until this thread uploads them, so the swap needs no lock.
  bool drawn = false;
  {
    CsHold hold;
    if (loadingScreen) {
      loadingScreen->Update(0, 0.0f);
      gfx.BeginFrame();
      gfx.EndFrame();
      if (gfx.BeginPostFrame() == 0) {
        loadingScreen->Render(0);
        drawn = gfx.FinishPostFrame() == 0;
      }
    }
  }
  if (drawn) gfx.PresentFrame();
}

void ST_GAME::SetState(int state) {
  if (state == JENUM::GAME_INACTIVE) {
    if (prefences.pauseOnFocusLoss) paused = 1;
    if (killFocusFunc) killFocusFunc();
  } else if (state == JENUM::GAME_ACTIVE) {
    paused = 0;
    if (setFocusFunc) setFocusFunc();
  }
}

}  // namespace ZOV
