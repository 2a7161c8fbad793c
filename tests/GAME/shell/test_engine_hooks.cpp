// The hooks the program registers with the game object and the buttons'
// actions: what each asks of the scene manager, the cursor drawn over the
// scene's overlay, and that every one is safe before the scene manager, the
// cursor or a sound exists.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <functional>

#include "GAME/shell/menu_actions.h"
#include "GAME/shell/play_panel.h"
#include "ST/button.h"
#include "tests/support/draw_record.h"
#include "tests/support/shell_env.h"
#include "tests/support/test_env.h"
#include "tests/support/wav.h"

namespace {

using shelltest::FakeScene;
using shelltest::gSceneCalls;
using shelltest::ShellEnv;

class EngineHooks : public ShellEnv {};

TEST_F(EngineHooks, EveryHookAndActionIsSafeBeforeAnythingExists) {
  ASSERT_EQ(puzzle, nullptr);
  ASSERT_EQ(Mouse, nullptr);
  ASSERT_EQ(eButton, nullptr);
  BUTTONACT tab("no_such_tab.png", &GAME::ButtonPackClick, 3);
  EXPECT_EQ(Updatenjlkxfdg(), 0);
  Renderjbxoig();
  PostRndr();
  PuzzleReset();
  KillFocus();
  FocusG();
  GAME::ButtonPackClick(&tab);
  GAME::ButtonPackClick(nullptr);
  GAME::StartPuz();
  GAME::SetPuzzleOptions();
  GAME::Quit();
  GAME::SetP();
  GAME::OffButtonRenderBorder();
  EXPECT_TRUE(gSceneCalls.empty());
}

struct HookCase {
  const char* name;
  std::function<void()> call;
  std::vector<std::string> asked;
};
void PrintTo(const HookCase& c, std::ostream* os) { *os << c.name; }

class HooksAsk : public ShellEnv, public ::testing::WithParamInterface<HookCase> {};

TEST_P(HooksAsk, TheSceneManagerForWhatTheHookStandsFor) {
  puzzle = new FakeScene();
  Game->screenRes = 1440 * 900;
  GetParam().call();
  EXPECT_EQ(gSceneCalls, GetParam().asked);
}

BUTTONACT* SavedGamesTab() {
  static BUTTONACT* tab = new BUTTONACT("no_such_tab.png", &GAME::ButtonPackClick, 10);
  return tab;
}

INSTANTIATE_TEST_SUITE_P(
    Hooks, HooksAsk,
    ::testing::Values(HookCase{"Update", [] { EXPECT_EQ(Updatenjlkxfdg(), 0); }, {"Update"}},
                      HookCase{"Render", &Renderjbxoig, {"Render"}},
                      HookCase{"PostRender", &PostRndr, {"PostRender"}},
                      HookCase{"DeviceReset", &PuzzleReset, {"Reset 1296000"}},
                      HookCase{"FocusLost", &KillFocus, {}},
                      HookCase{"PackTab", [] { GAME::ButtonPackClick(SavedGamesTab()); }, {"ActivateButton 10"}},
                      HookCase{"Play", &GAME::StartPuz, {"StartNow"}},
                      HookCase{"CutOptions", &GAME::SetPuzzleOptions, {"SetPzlOpt"}},
                      HookCase{"Exit", &GAME::Quit, {"OnPuzzleExit"}},
                      HookCase{"Nothing", &GAME::SetP, {}},
                      HookCase{"BorderToolReleasedWithoutAPanel", &GAME::OffButtonRenderBorder, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineHooks, TheUpdateHookMovesTheCursorWithOrWithoutAScene) {
  Mouse = new JMOUSEB("no_such_cursor.png");
  for (bool withScene : {false, true}) {
    if (withScene) puzzle = new FakeScene();
    INPUTNAME->EventMouseMove(300 + withScene, 200);
    Updatenjlkxfdg();
    EXPECT_FLOAT_EQ(Mouse->position.x, 300.0f + withScene);
    EXPECT_FLOAT_EQ(Mouse->position.y, 200.0f);
  }
}

// A scene whose overlay draws one plate, to see what is drawn over it.
class DrawingScene : public FakeScene {
 public:
  explicit DrawingScene(JSPRITE* plate) : plate_(plate) {}
  void PostRender() override {
    FakeScene::PostRender();
    plate_->Render(0);
  }

 private:
  JSPRITE* plate_;
};

TEST_F(EngineHooks, TheCursorIsDrawnLastOverTheScenesOverlay) {
  drawtest::WriteImage("plate.bmp", 16, 16);
  drawtest::WriteImage("cursor.bmp", 8, 8);
  JSPRITE plate("plate.bmp", 0);
  Mouse = new JMOUSEB("cursor.bmp");
  for (bool withScene : {false, true}) {
    delete puzzle;
    puzzle = withScene ? new DrawingScene(&plate) : nullptr;
    ASSERT_TRUE(plat::gfx::BeginScene());
    plat::gfx::ClearRecorded();
    PostRndr();
    plat::gfx::EndScene();
    const auto quads = drawtest::DrawnQuads();
    ASSERT_FALSE(quads.empty()) << withScene;
    EXPECT_EQ(quads.back().texture, Mouse->GetTexture()) << withScene;
    EXPECT_EQ(drawtest::QuadsOf(plate.GetTexture()).size(), withScene ? 1u : 0u);
  }
}

TEST_F(EngineHooks, TheExitButtonClicksBeforeAskingTheQuestion) {
  ASSERT_TRUE(game_->sound.ok);
  testenv::WriteFile("click.wav", testdata::Wav(22050, 0));
  eButton = game_->GetSound("click.wav");
  ASSERT_NE(eButton, nullptr);
  puzzle = new FakeScene();
  GAME::Quit();
  EXPECT_GE(eButton->channel, 0);
  EXPECT_NE(Mix_Playing(eButton->channel), 0);
  EXPECT_EQ(gSceneCalls, (std::vector<std::string>{"OnPuzzleExit"}));
}

TEST_F(EngineHooks, TheBoardReleasesTheBorderToolOfTheScenesPlayPanel) {
  puzzle = new FakeScene();
  PLAY_PANEL panel(chGAME_PLAY_PANEL, nullptr);
  puzzle->playPanel = &panel;
  panel.PushButton(PLAY_PANEL::kBorder);
  panel.PushButton(PLAY_PANEL::kFrame);
  ASSERT_FALSE(panel.Button(PLAY_PANEL::kBorder)->active);
  GAME::OffButtonRenderBorder();
  EXPECT_TRUE(panel.Button(PLAY_PANEL::kBorder)->active);
  EXPECT_EQ(panel.Button(PLAY_PANEL::kBorder)->state, JBUTTONMAP4::STATE_NORMAL);
  EXPECT_FALSE(panel.Button(PLAY_PANEL::kFrame)->active) << "only the border tool";
  EXPECT_TRUE(gSceneCalls.empty());
  puzzle->playPanel = nullptr;
}

TEST_F(EngineHooks, ActionSaysYes) {
  ::testing::internal::CaptureStdout();
  Action();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "YES\n");
}

}  // namespace
