// The rolling score display: SetScore's target and 2-second step, one step
// a frame, the snap down of a value past the target, and what Render draws.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GAME/board/score.h"
#include "ST/font.h"
#include "ST/sprite.h"
#include "tests/support/dialog_env.h"

namespace {

using GAME::PUZZLE_SCORE;

class ScoreTest : public dialogtest::DialogEnv {
 protected:
  void Dt(float dt) { game().timer.SetDelta(dt); }
};

TEST_F(ScoreTest, ANewScoreIsReachedInTwoSecondsOneStepAFrame) {
  PUZZLE_SCORE s(&game(), nullptr);
  s.SetScore(100);
  EXPECT_EQ(s.Target(), 100);
  EXPECT_FLOAT_EQ(s.Step(), 50.0f);
  Dt(0.5f);
  for (float shown : {25.0f, 50.0f, 75.0f, 100.0f, 100.0f}) {
    s.Update();
    EXPECT_FLOAT_EQ(s.Shown(), shown);
  }
  // From 100 to 160: 30 a second.
  s.SetScore(160);
  EXPECT_FLOAT_EQ(s.Step(), 30.0f);
  s.Update();
  EXPECT_FLOAT_EQ(s.Shown(), 115.0f);
}

TEST_F(ScoreTest, ScoresOfZeroOrLessChangeNothing) {
  PUZZLE_SCORE s(&game(), nullptr);
  s.SetScore(40);
  for (int v : {0, -5}) {
    s.SetScore(v);
    EXPECT_EQ(s.Target(), 40) << v;
    EXPECT_FLOAT_EQ(s.Step(), 20.0f) << v;
  }
}

TEST_F(ScoreTest, AValuePastTheTargetSnapsBackToIt) {
  PUZZLE_SCORE s(&game(), nullptr);
  s.SetScore(100);
  Dt(0.3f);
  // 15 a frame: the seventh step reaches 105.
  for (int i = 0; i < 7; ++i) s.Update();
  EXPECT_FLOAT_EQ(s.Shown(), 105.0f);
  s.Update();
  EXPECT_FLOAT_EQ(s.Shown(), 100.0f);
  s.Update();
  EXPECT_FLOAT_EQ(s.Shown(), 100.0f);
  // A lower score (a resumed board's first SetScore can be below what is
  // shown) is shown at the next frame.
  s.SetScore(40);
  s.Update();
  EXPECT_FLOAT_EQ(s.Shown(), 40.0f);
}

TEST_F(ScoreTest, AFrameOfNoTimeLeavesTheShownValue) {
  PUZZLE_SCORE s(&game(), nullptr);
  s.SetScore(100);
  Dt(0.0f);
  s.Update();  // returns: one step of nothing, not a wait for the target
  EXPECT_FLOAT_EQ(s.Shown(), 0.0f);
}

TEST_F(ScoreTest, RendersTheConfiguredFormatCentredInItsColourAndSize) {
  dialogtest::WriteFont("big.fnt");
  ZOV::JFONT font("big.fnt", 0);
  font.SetColor(int(0xFF112233u));
  static char format[] = "%i";
  chTEXT_PUZZLE_SCORE_UP = format;
  PUZZLE_SCORE s(&game(), &font);
  s.SetColor(int(0xFFD53E07u));
  s.SetSize(2.0f);
  s.SetScore(100);
  Dt(0.5f);
  s.Update();  // 25
  s.Update();  // 50
  s.Update();  // 75
  Dt(0.1f);
  s.Update();  // 80
  plat::gfx::ClearRecorded();
  s.Render(512, 30);
  const auto quads = drawtest::QuadsOf(font.page->GetTexture());
  ASSERT_EQ(quads.size(), 2u) << "two digits";
  EXPECT_EQ(quads[0].color, 0xFFD53E07u);
  EXPECT_NEAR(quads[0].x1 - quads[0].x0, 20.0f, 1e-3) << "size 2";
  EXPECT_LT(quads[0].x0, 512.0f);
  EXPECT_GT(quads[1].x1, 512.0f);
  // The shared font is given back as it was.
  EXPECT_EQ(uint32_t(font.GetColor()), 0xFF112233u);
  EXPECT_FLOAT_EQ(font.GetSize(), 1.0f);
  chTEXT_PUZZLE_SCORE_UP = nullptr;
}

}  // namespace
