// The pocket panel on the recording backend at 1024 x 768: its geometry and
// mouse area, the toggle's codes and sounds, the slide with its snaps, a
// reversal during a slide, the level end's direct close, Reset, and where
// the panel's sprites are drawn.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GAME/board/pocket.h"
#include "ST/button.h"
#include "tests/support/dialog_env.h"

namespace {

using drawtest::DrawnQuads;

class PocketTest : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    C_NAME_PACK_POCKET = nullptr;
    // A 64 x 64 button frame, a 40 x 40 corner piece.
    Image(&chBTNPOCKET, "pocket_button.bmp", 256, 64);
    Image(&chPOCKETFIX, "pocket_corner.bmp", 40, 40);
    Image(&chPOCKETTILEW, "pocket_bottom.bmp", 16, 8);
    Image(&chPOCKETTILEH, "pocket_right.bmp", 8, 16);
    Image(&chPOCKETTILEWH, "pocket_fill.bmp", 16, 16);
    ASSERT_EQ(game().GetScreenWidth(), 1024);
    ASSERT_EQ(game().GetScreenHeight(), 768);
    eUsePocket = eClosePocket = nullptr;
    shadowSplain = nullptr;
    pocket = std::make_unique<PUZZLE_POCKET>(&game());
  }
  void TearDown() override {
    pocket.reset();
    eUsePocket = eClosePocket = nullptr;
    shadowSplain = nullptr;
    use_.reset();
    close_.reset();
    DialogEnv::TearDown();
  }

  // One frame of the pocket with the mouse at (x, y) and the left button
  // pressed (1), released (-1) or unchanged (0).
  int Frame(int x, int y, int button = 0) {
    Mouse(x, y, button);
    const int r = pocket->Update();
    EndFrame();
    return r;
  }
  // A press and a release on the button; returns both frames' answers.
  std::vector<int> ClickButton() { return {Frame(32, 32, 1), Frame(32, 32, -1)}; }

  // Two real sounds for the toggle, to tell which one played.
  void Sounds() {
    ASSERT_TRUE(game().sound.ok) << "the dummy audio driver opens";
    dialogtest::WriteSilence("use.wav");
    dialogtest::WriteSilence("close.wav");
    use_.reset(game().GetSound("use.wav"));
    close_.reset(game().GetSound("close.wav"));
    ASSERT_TRUE(use_ && close_);
    eUsePocket = use_.get();
    eClosePocket = close_.get();
    Mix_HaltChannel(-1);
  }
  static bool Playing(const ZOV::ST_A* s) {
    return s->channel >= 0 && Mix_Playing(s->channel) != 0 && Mix_GetChunk(s->channel) == s->chunk;
  }

  std::unique_ptr<PUZZLE_POCKET> pocket;
  std::unique_ptr<ZOV::ST_A> use_, close_;
};

TEST_F(PocketTest, GeometryAt1024x768) {
  EXPECT_EQ(pocket->Width(), 614);
  EXPECT_EQ(pocket->Height(), 460);
  EXPECT_EQ(pocket->InnerWidth(), 574);
  EXPECT_EQ(pocket->InnerHeight(), 420);
  EXPECT_FLOAT_EQ(pocket->Position().x, 20.0f);
  EXPECT_FLOAT_EQ(pocket->Position().y, 20.0f);
  EXPECT_FLOAT_EQ(pocket->OpenPosition().x, 574.0f);
  EXPECT_FLOAT_EQ(pocket->OpenPosition().y, 420.0f);
  EXPECT_FALSE(pocket->open);
  EXPECT_EQ(pocket->motion, 0);
  // The button's 64 x 64 frame touches the screen's top-left corner.
  EXPECT_EQ(pocket->Button()->frame.x, 64);
  EXPECT_FLOAT_EQ(pocket->Button()->position.x, 32.0f);
  EXPECT_FLOAT_EQ(pocket->Button()->position.y, 32.0f);
}

TEST_F(PocketTest, TheClosedMouseAreaIsTheButtonFrameFromMinusOneWidth66) {
  struct Case {
    int x, y;
    bool inside;
  };
  for (const Case& c : {Case{0, 0, true}, Case{64, 64, true}, Case{64, 0, true}, Case{0, 64, true},
                        Case{65, 10, false}, Case{10, 65, false}, Case{-1, 10, false}, Case{10, -1, false},
                        Case{300, 300, false}}) {
    Mouse(c.x, c.y);
    EXPECT_EQ(pocket->MouseInPocket(), c.inside) << c.x << "," << c.y;
  }
}

TEST_F(PocketTest, TheOpenMouseAreaRunsFromTheCornerToTheCornerPiecesLowerRight) {
  ClickButton();
  for (int i = 0; i < 100 && pocket->motion != 0; ++i) Frame(700, 700);
  ASSERT_FLOAT_EQ(pocket->Position().x, 574.0f);
  struct Case {
    int x, y;
    bool inside;
  };
  // Open: frame (-1, -1) of 40 + 574 by 40 + 420.
  for (const Case& c : {Case{0, 0, true}, Case{612, 458, true}, Case{613, 100, false}, Case{100, 459, false},
                        Case{300, 300, true}}) {
    Mouse(c.x, c.y);
    EXPECT_EQ(pocket->MouseInPocket(), c.inside) << c.x << "," << c.y;
  }
}

TEST_F(PocketTest, ButtonHeldAnswersBusyAndItsReleaseToggles) {
  Sounds();
  game().timer.SetDelta(0.0f);
  EXPECT_EQ(Frame(32, 32, 1), PUZZLE_POCKET::kBusy);
  EXPECT_EQ(Frame(33, 33), PUZZLE_POCKET::kBusy) << "still held";
  EXPECT_FALSE(Playing(use_.get()));
  EXPECT_EQ(Frame(33, 33, -1), PUZZLE_POCKET::kToggled);
  EXPECT_TRUE(pocket->open);
  EXPECT_EQ(pocket->motion, PUZZLE_POCKET::kOpening);
  EXPECT_FALSE(pocket->Button()->active) << "shown in its disabled frame while open";
  EXPECT_TRUE(Playing(use_.get()));
  EXPECT_FALSE(Playing(close_.get()));
  EXPECT_EQ(Frame(33, 33), PUZZLE_POCKET::kNothing);
  EXPECT_EQ(Frame(300, 300), PUZZLE_POCKET::kNothing);
}

TEST_F(PocketTest, OpensInHalfASecondAndSnapsWithinFivePixels) {
  game().timer.SetDelta(0.1f);
  // The click's frame already moves: 614 x 2 x 0.1 = 122.8 px across, 92
  // down.
  EXPECT_EQ(ClickButton()[1], PUZZLE_POCKET::kToggled);
  EXPECT_NEAR(pocket->Position().x, 142.8f, 1e-3);
  EXPECT_NEAR(pocket->Position().y, 112.0f, 1e-3);
  const std::vector<float> xs = {265.6f, 388.4f, 511.2f, 634.0f};
  for (float x : xs) {
    Frame(700, 700);
    EXPECT_NEAR(pocket->Position().x, x, 1e-3);
    EXPECT_EQ(pocket->motion, PUZZLE_POCKET::kOpening);
  }
  Frame(700, 700);  // past 574 - 5: snaps before it would move again
  EXPECT_FLOAT_EQ(pocket->Position().x, 574.0f);
  EXPECT_FLOAT_EQ(pocket->Position().y, 420.0f);
  EXPECT_EQ(pocket->motion, PUZZLE_POCKET::kResting);
  Frame(700, 700);
  EXPECT_FLOAT_EQ(pocket->Position().x, 574.0f) << "at rest";
}

TEST_F(PocketTest, AClickWhileOpeningClosesFromWhereThePanelIsAndSnapsHome) {
  Sounds();
  game().timer.SetDelta(0.1f);
  ClickButton();
  Frame(700, 700);
  ASSERT_NEAR(pocket->Position().x, 265.6f, 1e-3);
  Mix_HaltChannel(-1);
  // The press frame moves on opening; the release reverses.
  EXPECT_EQ(ClickButton()[1], PUZZLE_POCKET::kToggled);
  EXPECT_FALSE(pocket->open);
  EXPECT_EQ(pocket->motion, PUZZLE_POCKET::kClosing);
  EXPECT_TRUE(pocket->Button()->active);
  EXPECT_TRUE(Playing(close_.get()));
  EXPECT_FALSE(Playing(use_.get()));
  // 388.4 at the press, 265.6 after the release's step back.
  EXPECT_NEAR(pocket->Position().x, 265.6f, 1e-3);
  for (float x : {142.8f, 20.0f}) {
    Frame(700, 700);
    EXPECT_NEAR(pocket->Position().x, x, 1e-3);
  }
  Frame(700, 700);  // 20 - 122.8, then below the corner's 40 px: home
  Frame(700, 700);
  EXPECT_FLOAT_EQ(pocket->Position().x, 20.0f);
  EXPECT_FLOAT_EQ(pocket->Position().y, 20.0f);
  EXPECT_EQ(pocket->motion, PUZZLE_POCKET::kResting);
}

TEST_F(PocketTest, TheLevelEndClosesItWithoutTouchingTheButton) {
  game().timer.SetDelta(0.1f);
  ClickButton();
  for (int i = 0; i < 10 && pocket->motion != 0; ++i) Frame(700, 700);
  ASSERT_TRUE(pocket->open);
  pocket->open = false;
  pocket->motion = PUZZLE_POCKET::kClosing;
  for (int i = 0; i < 10 && pocket->motion != 0; ++i) Frame(700, 700);
  EXPECT_FLOAT_EQ(pocket->Position().x, 20.0f);
  EXPECT_FALSE(pocket->Button()->active) << "the button keeps its look";
}

TEST_F(PocketTest, ResetClosesThePocketAtHome) {
  game().timer.SetDelta(0.1f);
  ClickButton();
  Frame(700, 700);
  pocket->Reset();
  EXPECT_FALSE(pocket->open);
  EXPECT_EQ(pocket->motion, 0);
  EXPECT_FLOAT_EQ(pocket->Position().x, 20.0f);
  EXPECT_FLOAT_EQ(pocket->Position().y, 20.0f);
  EXPECT_EQ(pocket->Width(), 614);
}

TEST_F(PocketTest, DrawsShadowEdgesFillAndCornerJoiningAtThePosition) {
  Image(&chPLAYERSSTROKE, "shadow.bmp", 8, 8);
  auto shadow = std::make_unique<JSPRITE>(chPLAYERSSTROKE, 0);
  shadowSplain = shadow.get();
  plat::gfx::ClearRecorded();
  pocket->Render();
  const auto quads = DrawnQuads();
  ASSERT_EQ(quads.size(), 5u);
  struct Box {
    float x0, y0, x1, y1;
  };
  // Closed at (20, 20): the shadow 624 x 470 with its lower right at
  // (20 + 40 + 20, 20 + 40 + 20); the bottom edge left of the point, the
  // right edge above it, the fill up and left, the corner right and down.
  const std::vector<Box> want = {{-544, -390, 80, 80}, {-554, 20, 20, 28}, {20, -400, 28, 20},
                                 {-554, -400, 20, 20}, {20, 20, 60, 60}};
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_FLOAT_EQ(quads[i].x0, want[i].x0) << i;
    EXPECT_FLOAT_EQ(quads[i].y0, want[i].y0) << i;
    EXPECT_FLOAT_EQ(quads[i].x1, want[i].x1) << i;
    EXPECT_FLOAT_EQ(quads[i].y1, want[i].y1) << i;
  }
  EXPECT_EQ(quads[0].texture, shadow->GetTexture());
  EXPECT_EQ(quads[4].texture, pocket->Corner()->GetTexture());
  // The fill repeats its 16 x 16 texture: 574 / 16 across, 420 / 16 down.
  EXPECT_FLOAT_EQ(quads[3].u1, 574.0f / 16.0f);
  EXPECT_FLOAT_EQ(quads[3].v1, 420.0f / 16.0f);

  plat::gfx::ClearRecorded();
  pocket->RenderButton();
  const auto button = DrawnQuads();
  ASSERT_EQ(button.size(), 1u);
  EXPECT_FLOAT_EQ(button[0].x0, 0.0f);
  EXPECT_FLOAT_EQ(button[0].x1, 64.0f);
  shadowSplain = nullptr;
}

}  // namespace
