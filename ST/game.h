// ST_GAME: the one game object. It owns the window, frame timer, random
// generator, input state, renderer and sound system for the whole run; runs
// start-up (Init), the polled main loop (Run) with its per-pass update and
// its frame-capped drawing, draws the loading screen while the game's loader
// thread works, pauses while the window is inactive, and opens the edition's
// URL and program files when the loop has ended. The game plugs in through
// six plain function pointers. The video configuration file "game.xml" and
// resolution changes are in game_video_config.cpp.
#pragma once

#include <atomic>
#include <string>

#include "ST/app_window.h"
#include "ST/input.h"
#include "ST/object.h"
#include "ST/random.h"
#include "ST/renderer.h"
#include "ST/sound.h"
#include "ST/text_cut.h"
#include "ST/timer.h"
#include "platform/sys.h"

// The process-wide lock shared by the loader thread and the main thread: the
// loader holds it around each creation of a device resource, the main thread
// while it updates and draws a loading frame.
extern plat::RecursiveMutex cs;

// Holds cs for the length of a scope.
class CsHold {
 public:
  CsHold() { cs.Enter(); }
  ~CsHold() { cs.Leave(); }
  CsHold(const CsHold&) = delete;
  CsHold& operator=(const CsHold&) = delete;
};

// The game's device-reset hook: lays every screen out again after the
// renderer reports that its device was reset (defined by the game shell).
void PuzzleReset();

namespace ZOV {

namespace JENUM {
enum GAMESTATE { GAME_ACTIVE = 0, GAME_INACTIVE = 1 };

// A screen size kept as its pixel count, width x height (screenRes, the
// player's record). Any product is a value of its own; these are the ones
// the game names.
enum SCREEN_RES : int {
  SCREEN_DESKTOP = 0,           // the desktop's own size
  SCREEN_800X600 = 480000,      // the value before a player's choice is known
  SCREEN_1024X768 = 0x0C0000,
  SCREEN_1440X900 = 0x13C680,
  SCREEN_1920X1080 = 0x1FA400,
};
static_assert(SCREEN_800X600 == 800 * 600 && SCREEN_1024X768 == 1024 * 768 && SCREEN_1440X900 == 1440 * 900 &&
              SCREEN_1920X1080 == 1920 * 1080);
}  // namespace JENUM

class ST_GAME {
 public:
  struct GAME_PREFENCES {
    GAME_PREFENCES() : pauseOnFocusLoss(true) {}
    bool pauseOnFocusLoss;
  };

  ST_GAME();
  virtual ~ST_GAME() = default;
  ST_GAME(const ST_GAME&) = delete;
  ST_GAME& operator=(const ST_GAME&) = delete;

  // 0 on success; -1 when "play.url" is required and missing; -2 when the
  // desktop is smaller than 1024x768. The company and product names become
  // the per-user folder names (FolderNameFrom, ST/text_cut.h): cut to a
  // length every file system takes, or kDefaultCompanyFolder and
  // kDefaultProductFolder when they are not folder names at all.
  virtual int Init(const char* company, const char* product);
  virtual int Render();
  virtual int Update();
  virtual int Run();

  void Loading(int);
  void SetState(int state);
  void Off() { running = 0; }
  void Exit() { running = 0; }

  void SetIni(void (*f)(void*)) { iniFunc = f; }
  void SetUpd(int (*f)()) { updFunc = f; }
  void SetRnd(void (*f)()) { rndFunc = f; }
  void SetPostRnd(void (*f)()) { postRndFunc = f; }
  void SetKillFocusFunc(void (*f)()) { killFocusFunc = f; }
  void SetSetFocusFunc(void (*f)()) { setFocusFunc = f; }
  // Called on the main thread when the window is asked to close, before the
  // main loop is told to end, so that the game can save what it must.
  void SetCloseFunc(void (*f)()) { closeFunc = f; }
  void SetLoadingScreen(JST::ST* screen);
  // Copies at most 59 bytes, never cutting a UTF-8 character.
  void SetGameName(const char* name);
  void SetWindowName(const std::string& name) { app.fSetWindowName(name.c_str()); }
  void SetClearColor(int argb) { gfx.SetClearColor(static_cast<unsigned long>(argb) & 0xFFFFFFFFul); }
  void ShowCursor(bool show) { app.fMouseShowEX(show); }

  float GetDt() const { return timer.GetDelta(); }
  int Rand(int n) const { return ST_RANDOM::Rand(n); }
  bool RandB(int n) const { return ST_RANDOM::RandB(n); }
  int Rand(int min, int max) { return random.GetRandomI(min, max, 0); }
  JINGFX* GetGfx() { return &gfx; }
  ST_INPUT* GetInput() { return &input; }
  plat::Window* GetWindow() { return app.fGetWindow(); }
  int GetScreenWidth() const { return gfx.GetBackWidth(); }
  int GetScreenHeight() const { return gfx.GetBackHeight(); }
  int LastTexWidth() const { return gfx.lastTextureSize.x; }
  int LastTexHeight() const { return gfx.lastTextureSize.y; }
  // A new sound from a file, or from the pack selected in ZOV::ifile.
  ST_A* GetSound(const char* name);

  // The per-user folders: documents/company/ and documents/company/product/.
  // Each returned text stays valid until the next call of the same function.
  const char* GetProfileDirg();
  const char* GetGameProfileDirg();
  void CreateDefaultConfig();
  void CreateConfig(int w, int h, bool full, bool log);
  void LoadGameConfig();
  void ChangeResolution(int w, int h, bool full);

  // Test seams: stop the loop after this many passes (0 = never); how long
  // a pass that drew nothing yields; the hook called after a device reset.
  void SetPassLimitForTests(long passes) { passLimit_ = passes; }
  void SetIdleYieldMsForTests(uint32_t ms) { idleYieldMs_ = ms; }
  void SetResetHookForTests(void (*hook)()) { resetHook_ = hook ? hook : &PuzzleReset; }
  // Whether the last Render() drew a frame.
  bool DrewFrame() const { return drewFrame_; }

  GAME_PREFENCES prefences;
  JST::iPOINT middle{0, 0};
  // Set by Init before it starts the loader; the loader stores 0 (release)
  // when it hands over, and Run reads it (acquire) without the lock.
  std::atomic<int> loadingCount{0};
  char gameName[60] = {};
  int running = 0;
  std::string exeDir;
  JST::iPOINT* pMiddle = nullptr;
  int frameCap = 90;
  float frameAcc = 0.0f;
  int paused = 0;
  int resX = 1024, resY = 768;
  JST::iPOINT desktop{0, 0};
  bool support1024 = false;
  bool fullScreen = false;
  int screenRes = JENUM::SCREEN_1024X768;  // resX x resY
  std::string productName, companyName;
  JC_APP app;
  ST_TIMER timer{0.18f};
  ST_RANDOM random;
  ST_INPUT input;
  JINGFX gfx;
  ST_SS sound;
  JST::ST* loadingScreen = nullptr;  // read and written under cs
  void (*iniFunc)(void*) = nullptr;
  int (*updFunc)() = nullptr;
  void (*rndFunc)() = nullptr;
  void (*postRndFunc)() = nullptr;
  void (*closeFunc)() = nullptr;
  void (*killFocusFunc)() = nullptr;
  void (*setFocusFunc)() = nullptr;
  plat::Msg msg;

 private:
  void PumpMessages();
  void OpenEditionFiles();
  // Whether the per-user game folder exists; false, with a log line, when
  // it cannot be examined (a path too long, no permission).
  bool GameFolderExists();
  std::string GameConfigPath();

  float sinceFrame_ = 0.0f;
  bool drewFrame_ = false;
  long passLimit_ = 0;
  uint32_t idleYieldMs_ = 1;
  void (*resetHook_)() = &PuzzleReset;
  std::string profileDir_, gameProfileDir_;
};

// What "game.xml" holds: <Config><Main resX resY support1024 FullScreen
// Log/></Config>, the root and its first child found by position.
struct GAME_VIDEO_CONFIG {
  int resX = 0;
  int resY = 0;
  bool support1024 = false;
  bool fullScreen = false;
};

// Reads "game.xml" at `path` (a regular file, through the file service).
// True with `out` filled when the file is usable: it parses, its root is
// "Config" with "Main" first, and resX and resY are above 0. Otherwise false
// and `out` is left as it was.
bool ReadGameConfig(const std::string& path, GAME_VIDEO_CONFIG* out);

// The game object, made on the first call.
ST_GAME* GetGame();
extern ST_GAME* JGAMENAME;

// The per-user folder names used when the configured company or product
// name is not a folder name (IsSafeFolderName, ST/text_cut.h).
inline constexpr const char kDefaultCompanyFolder[] = "VURAVAZ";
inline constexpr const char kDefaultProductFolder[] = "Jigsaw";

}  // namespace ZOV
