// What the shell's in-process tests share: the game object with its renderer
// on the recording backend, the built game data linked into the working
// folder, the game's hooks registered, a recording stand-in for the loading
// screen and a fake scene manager, a driver that plays the main thread's
// loading frames while the loader thread works, and the release of every
// shared asset after a test.
#pragma once

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "GAME/shell/loader.h"
#include "GAME/shell/loading_screen_base.h"
#include "GAME/shell/music_focus.h"
#include "GAME/shell/scene.h"
#include "GAME/ui/shared_assets.h"
#include "ST/cursor.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/particles.h"
#include "ST/sound.h"
#include "ST/sprite.h"
#include "platform/gfx.h"
#include "platform/sys.h"
#include "tests/support/game_globals.h"

namespace shelltest {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Whether a thread other than the caller holds cs right now.
inline bool CsHeldByAnotherThread() {
  return std::async(std::launch::async, [] {
           if (!cs.TryEnter()) return true;
           cs.Leave();
           return false;
         }).get();
}

// What the loading-screen stand-in saw. Written under cs by both threads.
struct ScreenLog {
  std::vector<int> writes;        // progress writes, in order
  std::vector<bool> writeLocked;  // whether cs kept the main thread out for each
  std::vector<int> drawn;         // the progress value each loading frame drew
  int countdownReads = 0;
  float countdownAtWrite21 = 1.0f;
  bool deleted = false;
  float countdown = -1.0f;  // the stand-in's countdown when made
  float step = 0.0f;        // lowered by this each loading frame
};
inline ScreenLog gScreen;

// The loading screen's part in the loader, recorded.
class RecordingScreen : public GAME::LOADING_SCREEN_BASE {
 public:
  RecordingScreen() { countdown = gScreen.countdown; }
  ~RecordingScreen() override { gScreen.deleted = true; }
  void SetProgress(int percent) override {
    gScreen.writes.push_back(percent);
    gScreen.writeLocked.push_back(CsHeldByAnotherThread());
    if (percent == 21) gScreen.countdownAtWrite21 = countdown;
    LOADING_SCREEN_BASE::SetProgress(percent);
  }
  float SplashCountdown() const override {
    ++gScreen.countdownReads;
    return countdown;
  }
  int Update(int, float) override {
    countdown -= gScreen.step;
    return 0;
  }
  int Render(int) override {
    gScreen.drawn.push_back(progress);
    return 1;
  }
};

inline GAME::LOADING_SCREEN_BASE* MakeRecordingScreen() { return new RecordingScreen(); }

// What the fake scene manager was asked, in order ("Update", "Reset 786432").
inline std::vector<std::string> gSceneCalls;

class FakeScene : public GAME::SCENE {
 public:
  int Update(int, float) override { return Note("Update"); }
  int Render(int) override { return Note("Render"); }
  void PostRender() override { Note("PostRender"); }
  void Reset(int screenRes) override { Note("Reset " + std::to_string(screenRes)); }
  void ActivateButton(int id) override { Note("ActivateButton " + std::to_string(id)); }
  void StartNow() override { Note("StartNow"); }
  void SetPzlOpt() override { Note("SetPzlOpt"); }
  void OnPuzzleExit() override { Note("OnPuzzleExit"); }

 private:
  int Note(const std::string& call) {
    gSceneCalls.push_back(call);
    return 0;
  }
};

// Deletes every shared asset and clears its global (the game itself never
// does; tests do, so that each run starts from nothing).
inline void FreeSharedAssets() {
  Mix_HaltChannel(-1);
  for (ZOV::JFONT** f : {&loadingFont, &comix, &big, &expenseFont}) {
    delete *f;
    *f = nullptr;
  }
  for (JSPRITE** s : {&shadowSplain, &whiteSplain, &sprRotPzl, &sprNotRotPzl, &sprInfoBack, &blackTranslucent}) {
    delete *s;
    *s = nullptr;
  }
  delete Mouse;
  Mouse = nullptr;
  for (ZOV::ST_A** s : {&eBack1, &eButtonDisabled, &eButtonOver, &eButtonPlay, &eButton, &eClosePocket, &eElArrive,
                        &eConHi, &eConMi, &eConLo, &eElPickUp, &eElPut, &eElRotation, &eElRotationWrong, &eBack2,
                        &eGroupsArrive, &eGuiClick, &eLevelWin, &ePuzzleOver, &ePuzzleSelection, &eToolHint,
                        &eToolSort, &eUsePocket, &eWindowClose, &eWindowOpen, &eToolOn, &eToolOff}) {
    delete *s;
    *s = nullptr;
  }
  delete loading;
  loading = nullptr;
  delete puzzle;
  puzzle = nullptr;
  partHelp = partGlue = nullptr;
  ePartBullet = nullptr;
}

class ShellEnv : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (game_) return;
    plat::SetDisplayForTests({1280, 1024}, {{1280, 1024, 60}});
    plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
    game_ = ZOV::GetGame();
    ASSERT_EQ(game_->gfx.Init(game_->app.Window()), 0);
    game_->gfx.SetAdaptScreen(1024, 768);
    // The built packs and font descriptors, as in the game's own folder.
    for (const auto& e : fs::directory_iterator(fs::path(JIGSAW_GAME_DIR))) {
      const std::string name = e.path().filename().string();
      if ((name == "DATA" || e.path().extension() == ".fnt") && !fs::exists(name))
        fs::create_symlink(e.path(), name);
    }
  }

  void SetUp() override {
    testenv::UseGameObject(game_);
    game_->SetIni(Initgoizflhgz);
    game_->SetUpd(Updatenjlkxfdg);
    game_->SetRnd(Renderjbxoig);
    game_->SetPostRnd(PostRndr);
    game_->SetKillFocusFunc(KillFocus);
    game_->SetSetFocusFunc(FocusG);
    game_->paused = 0;
    ZOV::ifile.current_pack = nullptr;
    ZOV::ifile.current_pass = nullptr;
    GAME::ResetLoaderForTests();
    GAME::ResetMusicFocusForTests();
    GAME::SetLoaderParts({&MakeRecordingScreen, nullptr});
    gScreen = ScreenLog();
    gSceneCalls.clear();
  }

  void TearDown() override {
    if (loader_.joinable()) {
      GAME::StopLoader();
      loader_.join();
    }
    game_->loadingCount = 0;
    game_->loadingScreen = nullptr;
    FreeSharedAssets();
    GAME::SetLoaderParts({});
  }

  // Starts the loader thread the way Init does: the counter first.
  void StartLoader() {
    game_->loadingCount = 2;
    loader_ = std::thread(Initgoizflhgz, nullptr);
  }

  // Plays the main thread's loading frames until the loader hands over,
  // calling `eachFrame` after each; false at the deadline.
  bool DriveLoading(const std::function<void()>& eachFrame = {}, int seconds = 60) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    while (game_->loadingCount.load(std::memory_order_acquire) > 0) {
      if (Clock::now() > deadline) return false;
      game_->Loading(1);
      if (eachFrame) eachFrame();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    loader_.join();
    return true;
  }

  // Plays loading frames until `done` holds (checked under cs); false at the
  // deadline.
  bool DriveUntil(const std::function<bool()>& done, int seconds = 30) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    for (;;) {
      {
        CsHold hold;
        if (done()) return true;
      }
      if (Clock::now() > deadline) return false;
      game_->Loading(1);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  static inline ZOV::ST_GAME* game_ = nullptr;
  std::thread loader_;
};

}  // namespace shelltest
