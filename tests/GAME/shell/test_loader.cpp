// The loader thread against a recording stand-in for the loading screen,
// with the test's own thread playing the main thread's loading frames: the
// progress it writes and the order of its steps, the wait for the logos, the
// shared assets it leaves behind, the hand-over, a stop while it waits, and
// a focus loss during loading.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>

#include "GAME/shell/loading_screen.h"
#include "ST/pixel_tools.h"
#include "ST/window_proc.h"
#include "tests/support/draw_record.h"
#include "tests/support/shell_env.h"

namespace {

using shelltest::gScreen;
using shelltest::ShellEnv;

const std::vector<int> kProgress = {5, 12, 21, 38, 42, 54, 66, 79, 93, 99, 100};

class Loader : public ShellEnv {};

// Calls StopLoader and ends the whole program with a failure when it does
// not return: a stop that hangs could otherwise only be ended by a kill.
void StopWithinTenSeconds() {
  auto stopped = std::async(std::launch::async, [] { GAME::StopLoader(); });
  if (stopped.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    std::fprintf(stderr, "StopLoader did not return within 10 s\n");
    std::_Exit(1);
  }
}

// With and without the music pack: the progress passes the same values.
class LoaderProgress : public ShellEnv, public ::testing::WithParamInterface<bool> {};

TEST_P(LoaderProgress, WritesEveryValueOnceUnderTheLockAndDrawsThemInOrder) {
  if (!GetParam()) C_NAME_PACK_MUSIC = const_cast<char*>("DATA/no_such_pack");
  gScreen.countdown = 0.25f;  // the logos last three loading frames
  gScreen.step = 0.1f;
  StartLoader();
  ASSERT_TRUE(DriveLoading());

  EXPECT_EQ(gScreen.writes, kProgress);
  for (size_t i = 0; i < gScreen.writeLocked.size(); ++i)
    EXPECT_TRUE(gScreen.writeLocked[i]) << "progress " << gScreen.writes[i] << " written without cs";
  EXPECT_LT(gScreen.countdownAtWrite21, 0.0f) << "no sound before the logos have had their time";
  ASSERT_FALSE(gScreen.drawn.empty());
  EXPECT_NE(gScreen.drawn.front(), 0) << "the screen reaches the engine with its first value";
  EXPECT_TRUE(std::is_sorted(gScreen.drawn.begin(), gScreen.drawn.end()));
  for (int v : gScreen.drawn) EXPECT_NE(std::find(kProgress.begin(), kProgress.end(), v), kProgress.end()) << v;
  EXPECT_EQ(eBack1 != nullptr, GetParam());
}

INSTANTIATE_TEST_SUITE_P(MusicPack, LoaderProgress, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Present" : "Missing"; });

TEST_F(Loader, HandsOverInOneStepAndDeletesTheLoadingScreen) {
  StartLoader();
  ASSERT_TRUE(DriveLoading());
  EXPECT_EQ(game_->loadingCount.load(), 0);
  EXPECT_EQ(game_->loadingScreen, nullptr);
  EXPECT_TRUE(gScreen.deleted);
  EXPECT_EQ(loading, nullptr);
  EXPECT_EQ(puzzle, nullptr) << "no scene manager is registered";
  EXPECT_EQ(partHelp, nullptr);
  EXPECT_EQ(partGlue, nullptr);
  EXPECT_EQ(ePartBullet, nullptr);
  ASSERT_NE(blackTranslucent, nullptr);
  const uint32_t* px = zov->TextureLock(blackTranslucent->GetTexture());
  ASSERT_NE(px, nullptr);
  EXPECT_EQ(px[0], uint32_t(BLACK_TRANSLUVENT));
  zov->TextureUnlock(blackTranslucent->GetTexture());
  EXPECT_EQ(blackTranslucent->imageSize.x, 1);
  EXPECT_EQ(blackTranslucent->imageSize.y, 1);
}

TEST_F(Loader, ACountdownOfExactlyZeroKeepsItWaiting) {
  gScreen.countdown = 0.0f;
  gScreen.step = 0.0f;
  StartLoader();
  // The loader looks at the countdown every 100 ms: let it look three times.
  ASSERT_TRUE(DriveUntil([] { return gScreen.countdownReads >= 3; }));
  {
    CsHold hold;
    EXPECT_EQ(gScreen.writes, (std::vector<int>{5, 12}));
    EXPECT_EQ(eBack1, nullptr) << "no sound is made before the wait ends";
    loading->countdown = -0.001f;
  }
  ASSERT_TRUE(DriveLoading());
  EXPECT_EQ(gScreen.writes, kProgress);
}

TEST_F(Loader, LeavesTheSharedAssetsWithTheirSettings) {
  StartLoader();
  ASSERT_TRUE(DriveLoading());

  struct FontCase {
    const char* name;
    ZOV::JFONT* font;
    int spacing;
    int colour;
  };
  for (const FontCase& f : {FontCase{"loadingFont", loadingFont, FONT_SPACE_LOADING, int(0xFFFFFFFFu)},
                            FontCase{"comix", comix, FONT_SPACE_SMALL, C_FONT_MAIN_COLOR},
                            FontCase{"big", big, FONT_SPACE_BIG, C_FONT_MAIN_COLOR},
                            FontCase{"expenseFont", expenseFont, FONT_SPACE_EXPENSE, int(0xFFFFFFFFu)}}) {
    ASSERT_NE(f.font, nullptr) << f.name;
    EXPECT_TRUE(f.font->Usable()) << f.name << " from the built fonts";
    EXPECT_EQ(f.font->spacing, f.spacing) << f.name;
    EXPECT_EQ(f.font->GetColor(), f.colour) << f.name;
  }

  for (JSPRITE* s : {shadowSplain, whiteSplain, sprRotPzl, sprNotRotPzl, sprInfoBack}) ASSERT_NE(s, nullptr);
  EXPECT_FLOAT_EQ(whiteSplain->scale.x, 1.1f);
  EXPECT_FLOAT_EQ(whiteSplain->scale.y, 1.1f);
  EXPECT_FLOAT_EQ(shadowSplain->scale.x, 1.0f);

  ASSERT_NE(Mouse, nullptr);
  EXPECT_EQ(Mouse->hotSpot.x, 0);
  EXPECT_EQ(Mouse->hotSpot.y, 0);

  // The information plate: its own 8x8 texture, not the size of the
  // rotation icon made just before it.
  ASSERT_NE(sprNotRotPzl->imageSize.x * 100 + sprNotRotPzl->imageSize.y, 8 * 100 + 8)
      << "the check needs an icon of another size";
  EXPECT_EQ(sprInfoBack->imageSize.x, 8);
  EXPECT_EQ(sprInfoBack->imageSize.y, 8);
  EXPECT_FLOAT_EQ(sprInfoBack->quad.v[2].x - sprInfoBack->quad.v[0].x, 8.0f);
  EXPECT_EQ(sprInfoBack->GetColor(), 0x88000000u);
  const uint32_t* px = zov->TextureLock(sprInfoBack->GetTexture());
  ASSERT_NE(px, nullptr);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(px[i], 0xBBFFFFFFu) << i;
  zov->TextureUnlock(sprInfoBack->GetTexture());
}

TEST_F(Loader, SetsUpTheMusicAndTheSelectionSound) {
  ASSERT_TRUE(game_->sound.ok) << "the dummy audio driver opens";
  StartLoader();
  ASSERT_TRUE(DriveLoading());
  for (ZOV::ST_A* s : {eBack1, eButtonDisabled, eButtonOver, eButtonPlay, eButton, eClosePocket, eElArrive, eConHi,
                       eConMi, eConLo, eElPickUp, eElPut, eElRotation, eElRotationWrong, eBack2, eGroupsArrive,
                       eGuiClick, eLevelWin, ePuzzleOver, ePuzzleSelection, eToolHint, eToolSort, eUsePocket,
                       eWindowClose, eWindowOpen, eToolOn, eToolOff})
    ASSERT_NE(s, nullptr);

  struct MusicCase {
    const char* name;
    ZOV::ST_A* track;
    bool playing;
  };
  for (const MusicCase& m : {MusicCase{"eBack1", eBack1, true}, MusicCase{"eBack2", eBack2, false}}) {
    EXPECT_EQ(m.track->loops, -1) << m.name << " repeats";
    EXPECT_FALSE(m.track->multistream) << m.name;
    EXPECT_EQ(Mix_VolumeChunk(m.track->chunk, -1), 0) << m.name << " starts silent";
    const bool playing = m.track->channel >= 0 && Mix_Playing(m.track->channel) &&
                         Mix_GetChunk(m.track->channel) == m.track->chunk;
    EXPECT_EQ(playing, m.playing) << m.name;
  }
  EXPECT_TRUE(ePuzzleSelection->multistream);
  EXPECT_FALSE(eButton->multistream);
  EXPECT_NE(Mix_VolumeChunk(eButton->chunk, -1), 0) << "the other sounds keep the engine's defaults";
}

TEST_F(Loader, BuildsTheSceneManagerUnderTheLockAfterEverythingItUses) {
  struct Seen {
    std::vector<int> writes;
    bool locked = false, fontsMade = false, soundsMade = false, dimLayerMade = true;
  };
  static Seen seen;
  seen = Seen();
  GAME::SetLoaderParts({&shelltest::MakeRecordingScreen, [] {
                          seen.writes = gScreen.writes;
                          seen.locked = shelltest::CsHeldByAnotherThread();
                          seen.fontsMade = comix && big && expenseFont && loadingFont;
                          seen.soundsMade = eBack1 && eToolOff;
                          seen.dimLayerMade = blackTranslucent != nullptr;
                          return static_cast<GAME::SCENE*>(new shelltest::FakeScene());
                        }});
  StartLoader();
  ASSERT_TRUE(DriveLoading());
  EXPECT_EQ(seen.writes, (std::vector<int>{5, 12, 21, 38, 42, 54, 66, 79, 93, 99}));
  EXPECT_TRUE(seen.locked);
  EXPECT_TRUE(seen.fontsMade);
  EXPECT_TRUE(seen.soundsMade);
  EXPECT_FALSE(seen.dimLayerMade) << "the dim layer comes after the scene manager";
  ASSERT_NE(puzzle, nullptr);
  EXPECT_EQ(gScreen.writes.back(), 100);
}

// The window may close at any moment of loading, the hand-over included. The
// test's thread closes it again and again while the loader works, with no
// loading frame between (a frame takes cs, which would order the loader's
// steps before each close): the close hook must reach the scene manager only
// once the loader has handed it over. Before, it saved a scene still being
// loaded, and ThreadSanitizer (./test.sh --tsan) saw the hook read `puzzle`
// while the loader wrote it.
TEST_F(Loader, AWindowClosedWhileLoadingHandsOverReachesOnlyAHandedOverScene) {
  static std::atomic<int> savesWhileLoading{0}, saves{0};
  savesWhileLoading = 0;
  saves = 0;
  struct SavingScene : shelltest::FakeScene {
    void SaveBeforeClose() override {
      if (Game->loadingCount.load() > 0) ++savesWhileLoading;
      ++saves;
    }
  };
  GAME::SetLoaderParts({&shelltest::MakeRecordingScreen, [] { return static_cast<GAME::SCENE*>(new SavingScene()); }});
  StartLoader();  // no logos: the loader never waits for a loading frame
  const auto deadline = shelltest::Clock::now() + std::chrono::seconds(60);
  while (game_->loadingCount.load(std::memory_order_relaxed) > 0 && shelltest::Clock::now() < deadline)
    CloseWindow();
  ASSERT_EQ(game_->loadingCount.load(), 0) << "loading did not end within 60 s";
  EXPECT_EQ(savesWhileLoading.load(), 0) << "the close reached a scene manager that was not handed over";
  const int before = saves.load();
  CloseWindow();
  EXPECT_EQ(saves.load(), before + 1) << "after the hand-over the close reaches the scene manager";
}

TEST_F(Loader, AStopEndsTheWaitForTheLogosAndLoadsNothingMore) {
  gScreen.countdown = 5.0f;
  gScreen.step = 0.0f;  // the logos never end on their own
  StartLoader();
  ASSERT_TRUE(DriveUntil([] { return gScreen.countdownReads >= 1; }));
  StopWithinTenSeconds();
  loader_.join();
  EXPECT_EQ(gScreen.writes, (std::vector<int>{5, 12}));
  EXPECT_EQ(eBack1, nullptr);
  EXPECT_EQ(comix, nullptr);
  EXPECT_EQ(game_->loadingCount.load(), 2) << "a stopped loader hands nothing over";
}

TEST_F(Loader, StopReturnsAtOnceWhenNoLoaderWasStarted) { StopWithinTenSeconds(); }

// Focus events during loading reach the hooks through the window procedure:
// some while the loader waits for the logos, before any music exists, some
// in every loading frame while it makes the sounds. The music must end up
// paused exactly when the last event was a focus loss.
struct FocusCase {
  const char* name;
  std::vector<unsigned> beforeMusic;
  std::vector<unsigned> eachFrame;
  bool paused;
};
void PrintTo(const FocusCase& c, std::ostream* os) { *os << c.name; }

class LoaderFocus : public ShellEnv, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(LoaderFocus, APauseAskedForDuringLoadingIsAppliedAtTheHandOver) {
  ASSERT_TRUE(game_->sound.ok);
  gScreen.countdown = 0.0f;
  gScreen.step = 0.0f;
  StartLoader();
  ASSERT_TRUE(DriveUntil([] { return gScreen.countdownReads >= 1; }));
  for (unsigned e : GetParam().beforeMusic) ZOV::JWndProc(nullptr, e, 0, 0);
  {
    CsHold hold;
    loading->countdown = -1.0f;
  }
  ASSERT_TRUE(DriveLoading([] {
    for (unsigned e : GetParam().eachFrame) ZOV::JWndProc(nullptr, e, 0, 0);
  }));
  ASSERT_NE(eBack1, nullptr);
  ASSERT_GE(eBack1->channel, 0);
  EXPECT_EQ(Mix_Paused(eBack1->channel) != 0, GetParam().paused);
  // After loading the hooks act at once.
  FocusG();
  EXPECT_EQ(Mix_Paused(eBack1->channel), 0);
  KillFocus();
  EXPECT_NE(Mix_Paused(eBack1->channel), 0);
}

constexpr unsigned kLost = plat::WM_KILLFOCUS, kBack = plat::WM_SETFOCUS;

INSTANTIATE_TEST_SUITE_P(Events, LoaderFocus,
                         ::testing::Values(FocusCase{"LostBeforeTheMusic", {kLost}, {}, true},
                                           FocusCase{"LostAndBackBeforeTheMusic", {kLost, kBack}, {}, false},
                                           FocusCase{"LostThenBackEachFrame", {kLost}, {kLost, kBack}, false},
                                           FocusCase{"BackThenLostEachFrame", {}, {kBack, kLost}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The game's own loading screen in the loader, with both logos and a fake
// clock: the loader waits while the logos show, however long that is, and
// goes on once a click has ended them; the progress drawn never decreases.
std::atomic<uint32_t> gFakeNow{0};
uint32_t FakeNow() { return gFakeNow.load(); }
std::atomic<int> gCountdownReads{0};

class CountedLoadingScreen : public GAME::LOADING_SCREEN {
 public:
  CountedLoadingScreen() : LOADING_SCREEN(*Game, loadingFont) {}
  float SplashCountdown() const override {
    ++gCountdownReads;
    return LOADING_SCREEN::SplashCountdown();
  }
};

TEST_F(Loader, TheRealLoadingScreenHoldsTheSoundsBackWhileItsLogosShow) {
  drawtest::WriteImage("logo1.png", 300, 200, 0xFFFF0000u);
  drawtest::WriteImage("logo2.png", 300, 200, 0xFF00FF00u);
  gFakeNow = 5000;
  gCountdownReads = 0;
  plat::SetTimeSourceForTests(&FakeNow);
  struct Restore {
    ~Restore() {
      plat::SetTimeSourceForTests(nullptr);
      std::remove("logo1.png");
      std::remove("logo2.png");
    }
  } restore;
  GAME::SetLoaderParts({[]() -> GAME::LOADING_SCREEN_BASE* { return new CountedLoadingScreen(); }, nullptr});
  StartLoader();
  auto screen = [] { return static_cast<GAME::LOADING_SCREEN*>(loading); };
  std::vector<int> drawn;
  auto record = [&] {
    CsHold hold;
    if (loading) drawn.push_back(loading->progress);
  };
  auto frame = [&] {
    game_->Loading(1);
    record();
  };
  // Frozen time: the first logo stays however often the loader looks.
  ASSERT_TRUE(DriveUntil([] { return gCountdownReads >= 3; }));
  {
    CsHold hold;
    ASSERT_NE(loading, nullptr);
    EXPECT_EQ(screen()->CurrentPhase(), GAME::LOADING_SCREEN::Phase::kFirstLogo);
    EXPECT_EQ(loading->progress, 12);
    EXPECT_EQ(eBack1, nullptr) << "no sound before the logos have had their time";
  }
  // 2.5 s on: the second logo, and still waiting.
  gFakeNow += 2500;
  const int reads = gCountdownReads;
  frame();
  ASSERT_TRUE(DriveUntil([&] { return gCountdownReads >= reads + 2; }));
  {
    CsHold hold;
    EXPECT_EQ(screen()->CurrentPhase(), GAME::LOADING_SCREEN::Phase::kSecondLogo);
    EXPECT_EQ(loading->progress, 12);
  }
  // A click ends the second logo: the loader goes on to the end.
  game_->GetInput()->EventMouseLkm(true);
  frame();
  {
    CsHold hold;
    EXPECT_EQ(screen()->CurrentPhase(), GAME::LOADING_SCREEN::Phase::kProgress);
  }
  game_->GetInput()->EventMouseLkm(false);
  ASSERT_TRUE(DriveLoading(record));
  EXPECT_NE(eBack1, nullptr);
  ASSERT_FALSE(drawn.empty());
  EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end()));
  EXPECT_EQ(loading, nullptr);
}

}  // namespace
