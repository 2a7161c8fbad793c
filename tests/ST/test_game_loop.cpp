// The game object's start-up refusals, its main loop and frame cap, pause,
// device resets, loading frames and the files opened after the loop; driven
// by a fake clock and the recording graphics backend.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

#include "GAME/config/config.h"
#include "GAME/config/edition.h"
#include "GAME/config/globals.h"
#include "ST/game.h"
#include "platform/gfx.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;

namespace {

uint32_t gNow = 0;
uint32_t FakeClock() { return gNow; }

int gUpdates = 0, gFrames = 0, gResets = 0;
std::vector<float> gFrameDt;
ZOV::ST_GAME* gGame = nullptr;

int CountUpdate() {
  ++gUpdates;
  return 0;
}
void CountFrame() {
  ++gFrames;
  gFrameDt.push_back(gGame->GetDt());
}
void CountReset() { ++gResets; }

class GameLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    gNow = 100000;
    gUpdates = gFrames = gResets = 0;
    gFrameDt.clear();
    plat::SetTimeSourceForTests(&FakeClock);
    plat::SetDisplayForTests({1280, 1024}, {{1280, 1024, 60}});
    plat::gfx::SetBackendForTests(plat::gfx::Backend::Recording);
    GAME::ApplyConfigDefaults();
    game = std::make_unique<ZOV::ST_GAME>();
    gGame = game.get();
    ASSERT_EQ(game->gfx.Init(game->app.Window()), 0);
    game->gfx.SetAdaptScreen(1024, 768);
    game->timer.Init();
    game->SetUpd(&CountUpdate);
    game->SetRnd(&CountFrame);
    game->SetResetHookForTests(&CountReset);
    game->SetIdleYieldMsForTests(0);
  }
  void TearDown() override {
    gGame = nullptr;
    game.reset();
    plat::gfx::DestroyDevice();
    plat::SetTimeSourceForTests(nullptr);
    plat::ClearDisplayForTests();
  }
  // One pass of the loop after `ms` milliseconds; whether it drew a frame.
  bool Pass(uint32_t ms) {
    gNow += ms;
    game->Update();
    game->Render();
    return game->DrewFrame();
  }
  std::unique_ptr<ZOV::ST_GAME> game;
};

TEST_F(GameLoop, AStallIsPaidBackOverSixteenFrames) {
  std::vector<bool> drawn;
  drawn.push_back(Pass(180));
  for (int i = 0; i < 20; ++i) drawn.push_back(Pass(0));
  for (int i = 0; i < 16; ++i) EXPECT_TRUE(drawn[i]) << i;
  for (size_t i = 16; i < drawn.size(); ++i) EXPECT_FALSE(drawn[i]) << i;
  ASSERT_EQ(gFrameDt.size(), 16u);
  EXPECT_FLOAT_EQ(gFrameDt[0], 0.18f);
  EXPECT_FLOAT_EQ(gFrameDt[1], 0.0f) << "later frames report the time since the previous frame";
  EXPECT_EQ(gUpdates, 21) << "every pass updates";
}

TEST_F(GameLoop, FramesAreCappedAtNinetyASecond) {
  for (int i = 0; i < 200; ++i) Pass(5);  // one second of 5 ms passes
  EXPECT_NEAR(gFrames, 90, 1);
  EXPECT_EQ(gUpdates, 200);
}

TEST_F(GameLoop, ADeviceNeedingAResetCallsTheResetHookAndSkipsNothing) {
  plat::gfx::SimulateCoopForTests(plat::gfx::Coop::NotReset);
  Pass(20);
  EXPECT_EQ(gResets, 1);
  EXPECT_EQ(gFrames, 1) << "the frame's callbacks still run";
  plat::gfx::SimulateCoopForTests(plat::gfx::Coop::Lost);
  Pass(20);
  EXPECT_EQ(gFrames, 1) << "a lost device draws nothing";
  plat::gfx::SimulateCoopForTests(plat::gfx::Coop::Ok);
  Pass(20);
  EXPECT_EQ(gFrames, 2);
}

TEST_F(GameLoop, PausedPassesOnlyPumpMessages) {
  game->SetState(ZOV::JENUM::GAME_INACTIVE);
  EXPECT_EQ(game->paused, 1);
  game->SetPassLimitForTests(50);
  game->Run();
  EXPECT_EQ(gUpdates, 0);
  EXPECT_EQ(gFrames, 0);
  game->SetState(ZOV::JENUM::GAME_ACTIVE);
  gNow += 60000;  // a minute away: the first step is still clamped
  Pass(0);
  EXPECT_LE(game->GetDt(), 0.18f);
  EXPECT_EQ(gUpdates, 1);
}

TEST_F(GameLoop, FocusCallbacksRunOnEveryStateChange) {
  static int lost = 0, back = 0;
  lost = back = 0;
  game->SetKillFocusFunc([] { ++lost; });
  game->SetSetFocusFunc([] { ++back; });
  game->SetState(1);
  game->SetState(1);
  game->SetState(0);
  game->SetState(7);  // not a state: nothing
  EXPECT_EQ(lost, 2);
  EXPECT_EQ(back, 1);
  EXPECT_EQ(game->paused, 0);
}

TEST_F(GameLoop, WithoutALoaderTheFirstPassAlreadyUpdates) {
  game->SetPassLimitForTests(1);
  gNow += 20;
  game->Run();
  EXPECT_EQ(game->loadingCount, 0);
  EXPECT_EQ(gUpdates, 1);
}

// A loading screen is updated and drawn with the shared lock held, and the
// loop switches to normal passes once the loader clears the counter.
class ProbeScreen : public JST::ST {
 public:
  int Update(int, float) override {
    ++updates;
    return 0;
  }
  int Render(int) override {
    std::atomic<bool> other{true};
    std::thread t([&] {
      other = cs.TryEnter();
      if (other) cs.Leave();
    });
    t.join();
    lockedWhileDrawing = !other;
    ++renders;
    return 0;
  }
  int updates = 0, renders = 0;
  bool lockedWhileDrawing = false;
};

TEST_F(GameLoop, LoadingFramesHoldTheLock) {
  ProbeScreen screen;
  game->SetLoadingScreen(&screen);
  game->loadingCount = 2;
  game->SetPassLimitForTests(3);
  game->Run();
  EXPECT_EQ(screen.updates, 3);
  EXPECT_EQ(screen.renders, 3);
  EXPECT_TRUE(screen.lockedWhileDrawing);
  EXPECT_EQ(gUpdates, 0) << "no update callback while loading";
  game->loadingCount = 0;
  game->SetPassLimitForTests(2);
  gNow += 20;
  game->Run();
  EXPECT_EQ(gUpdates, 2);
}

// Whether another thread could take the lock while the frame was shown.
std::atomic<int> gPresents{0}, gPresentsWithLockFree{0};
void ProbeLockAtPresent() {
  ++gPresents;
  std::thread t([] {
    if (cs.TryEnter()) {
      ++gPresentsWithLockFree;
      cs.Leave();
    }
  });
  t.join();
}

TEST_F(GameLoop, LoadingFramesReleaseTheLockBeforeTheSwap) {
  // The swap may wait for the display; the loader thread must be able to
  // take the lock meanwhile.
  ProbeScreen screen;
  game->SetLoadingScreen(&screen);
  game->loadingCount = 2;
  game->SetPassLimitForTests(3);
  gPresents = gPresentsWithLockFree = 0;
  plat::gfx::SetRecordingPresentHookForTests(&ProbeLockAtPresent);
  game->Run();
  plat::gfx::SetRecordingPresentHookForTests(nullptr);
  EXPECT_EQ(screen.renders, 3);
  EXPECT_TRUE(screen.lockedWhileDrawing);
  EXPECT_EQ(gPresents, 3) << "every loading frame is shown";
  EXPECT_EQ(gPresentsWithLockFree, 3);
  game->loadingCount = 0;
}

std::vector<std::string> gOpened;

TEST_F(GameLoop, OnlyPlainFilesOfTheGameFolderAreOpenedAfterTheLoop) {
  const std::string dir = testenv::FreshDir("install");
  const fs::path saved = fs::current_path();
  fs::current_path(dir);
  std::ofstream("site.url") << "[InternetShortcut]\r\nURL=https://example.org/puzzles\r\n";
  std::ofstream("readme.txt") << "hello";
  std::ofstream("evil.url") << "[InternetShortcut]\nURL=file:///etc/passwd\n";
  plat::SetShellOpenHook([](const std::string& p) {
    gOpened.push_back(p);
    return true;
  });
  struct Row {
    const char* url;
    const char* exe;
    std::vector<std::string> opened;
  };
  const std::vector<Row> rows = {
      {"", "", {}},
      {"site.url", "readme.txt", {"https://example.org/puzzles", "readme.txt"}},
      {"evil.url", "", {}},
      {"../readme.txt", "/etc/passwd", {}},
      {"missing.url", "", {}},
  };
  for (const Row& row : rows) {
    gOpened.clear();
    gEdition.url_file = row.url;
    gEdition.exe_file = row.exe;
    game->SetPassLimitForTests(1);
    game->Run();
    EXPECT_EQ(gOpened, row.opened) << row.url << " " << row.exe;
  }
  gEdition = EDITION_CONF{};
  fs::current_path(saved);
}

TEST(GameInit, RefusesSmallDesktops) {
  GAME::ApplyConfigDefaults();
  struct Row {
    int w, h, result;
  };
  for (Row r : {Row{1023, 768, -2}, Row{1024, 767, -2}, Row{800, 600, -2}}) {
    plat::SetDisplayForTests({r.w, r.h}, {});
    ZOV::ST_GAME game;
    EXPECT_EQ(game.Init("", ""), r.result) << r.w << "x" << r.h;
  }
  plat::ClearDisplayForTests();
}

TEST(GameInit, RequiresPlayUrlOnlyWhenItsTextIsSet) {
  GAME::ApplyConfigDefaults();
  const std::string dir = testenv::FreshDir("playurl");
  const fs::path saved = fs::current_path();
  fs::current_path(dir);
  plat::SetDisplayForTests({1023, 768}, {});
  char text[] = "Need play.url";
  char* old = chTEXT_ERROR_MESSAGE_PLAY_URL;
  chTEXT_ERROR_MESSAGE_PLAY_URL = text;
  {
    ZOV::ST_GAME game;
    EXPECT_EQ(game.Init("", ""), -1) << "checked before the desktop";
  }
  std::ofstream("play.url") << "";
  {
    ZOV::ST_GAME game;
    EXPECT_EQ(game.Init("", ""), -2) << "present: start-up goes on to the desktop test";
  }
  chTEXT_ERROR_MESSAGE_PLAY_URL = old;
  plat::ClearDisplayForTests();
  fs::current_path(saved);
}

TEST(GameName, KeepsAtMost59BytesOfWholeCharacters) {
  plat::SetDisplayForTests({1280, 1024}, {});
  ZOV::ST_GAME game;
  std::string name;
  for (int i = 0; i < 40; ++i) name += "Ж";  // two bytes each
  game.SetGameName(name.c_str());
  EXPECT_EQ(std::strlen(game.gameName), 58u);
  game.SetGameName(("x" + name).c_str());
  EXPECT_EQ(std::strlen(game.gameName), 59u);
  game.SetGameName(nullptr);
  EXPECT_EQ(game.gameName[0], '\0');
  plat::ClearDisplayForTests();
}

TEST(FolderNames, UnsafeNamesAreRefused) {
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "tab\there", "line\n"})
    EXPECT_FALSE(ZOV::IsSafeFolderName(bad)) << bad;
  for (const char* good : {"Jigsaw", "Мои пазлы", "a.b", "..x"}) EXPECT_TRUE(ZOV::IsSafeFolderName(good)) << good;
}

}  // namespace
