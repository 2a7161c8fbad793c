// The board's effects and its effect list at 1024 x 768: each effect's life
// and step, what it draws, the spark's path and trail, and the list's walk
// (a finished effect is deleted at once and the next one is still updated).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

#include "GAME/board/board.h"
#include "GAME/board/effects.h"
#include "ST/particles.h"
#include "ST/sprite.h"
#include "tests/support/dialog_env.h"

namespace {

using GAME::BONUS;
using GAME::kEffectFinished;
using GAME::kEffectRunning;
using GAME::PARTICLE_BULLET;
using GAME::PUZZLE_EXPENSE;

// An emitter that notes every ShootAt instead of spawning.
class ShotLog : public ZOV::PARTIC {
 public:
  ShotLog() : ZOV::PARTIC("", 0, 10) {}
  void ShootAt(int n, int x, int y) override { shots.emplace_back(n, x, y); }
  std::vector<std::tuple<int, int, int>> shots;
};

class EffectsTest : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    C_NAME_PACK_GUI = C_NAME_PACK_LEVEL = C_NAME_PACK_EFFECTS = C_NAME_PACK_POCKET = nullptr;
    Image(&chBONUS, "bonus.bmp", 40, 40);
    Image(&chPARTIC_SNOW_CURSOR, "snow.bmp", 16, 16);
    dialogtest::WriteFont("expense.fnt");
    font = std::make_unique<ZOV::JFONT>("expense.fnt", 0);
    expenseFont = font.get();
    ASSERT_EQ(game().GetScreenWidth(), 1024);
  }
  void TearDown() override {
    board.reset();
    expenseFont = nullptr;
    font.reset();
    DialogEnv::TearDown();
  }
  void Dt(float dt) { game().timer.SetDelta(dt); }
  GAME::PUZZLE_PIECES_SYSTEM& Board() {
    board = std::make_unique<GAME::PUZZLE_PIECES_SYSTEM>(&game());
    return *board;
  }

  std::unique_ptr<ZOV::JFONT> font;
  std::unique_ptr<GAME::PUZZLE_PIECES_SYSTEM> board;
};

// ---- the points text

TEST_F(EffectsTest, AnExpenseSwellsFromOneToThreeTimesOverItsLifeThenFinishes) {
  Dt(0.25f);
  PUZZLE_EXPENSE e(&game(), font.get(), 1.0f, "+13", 300, 200);
  EXPECT_EQ(e.Text(), "+13");
  EXPECT_FLOAT_EQ(e.SizeFactor(), 1.0f);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(e.Update(), kEffectRunning) << i;
  EXPECT_NEAR(e.Phase(), 3.14159265f / 2.0f, 1e-5);
  EXPECT_NEAR(e.SizeFactor(), 3.0f, 1e-5);
  EXPECT_EQ(e.Update(), kEffectFinished);
  EXPECT_EQ(e.Update(), kEffectFinished);
}

TEST_F(EffectsTest, AnExpenseWithNoTimeIsFinishedAtItsFirstUpdate) {
  for (float time : {0.0f, -1.0f}) {
    PUZZLE_EXPENSE e(&game(), font.get(), time, "+1", 0, 0);
    EXPECT_EQ(e.Update(), kEffectFinished) << time;
  }
}

TEST_F(EffectsTest, AnExpenseDrawsItsTextCentredAtItsSizeAndGivesTheSizeBack) {
  Dt(1.0f / 3.0f);
  PUZZLE_EXPENSE e(&game(), font.get(), 1.0f, "+20%", 300, 200);
  e.Update();  // phase pi/6: size 2 x 0.5 + 1 = 2
  plat::gfx::ClearRecorded();
  e.Render();
  // "+", "2", "0" and "%" have no glyph but the digits do: two 10 x 20
  // glyphs at size 2, the text drawn as written (the '%' is not a format).
  const auto quads = drawtest::QuadsOf(font->page->GetTexture());
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_NEAR(quads[0].x1 - quads[0].x0, 20.0f, 1e-3);
  EXPECT_NEAR(quads[0].y1 - quads[0].y0, 40.0f, 1e-3);
  // Centred on (300, 200).
  EXPECT_LT(quads[0].x0, 300.0f);
  EXPECT_GT(quads[1].x1, 300.0f);
  EXPECT_FLOAT_EQ(font->GetSize(), 1.0f);
}

// ---- the bonus icon

TEST_F(EffectsTest, ABonusRisesAndFadesOverItsLife) {
  Dt(0.5f);
  JSPRITE icon("bonus.bmp", 0);
  BONUS e(&game(), 2.0f, &icon, 400, 500);
  EXPECT_EQ(e.Color(), 0xFFFFFFFFu);
  const std::vector<std::tuple<float, uint32_t>> want = {
      {440.0f, 0xBFFFFFFFu}, {380.0f, 0x80FFFFFFu}, {320.0f, 0x40FFFFFFu}, {260.0f, 0x00FFFFFFu}};
  for (const auto& [y, color] : want) {
    EXPECT_EQ(e.Update(), kEffectRunning);
    EXPECT_FLOAT_EQ(e.position.y, y);
    EXPECT_EQ(e.Color(), color);
  }
  EXPECT_EQ(e.Update(), kEffectFinished);
  // Drawn in its colour at its position.
  plat::gfx::ClearRecorded();
  e.Render();
  const auto quads = drawtest::QuadsOf(icon.GetTexture());
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_EQ(quads[0].color, 0x00FFFFFFu);
  EXPECT_FLOAT_EQ(quads[0].y0, 240.0f);
}

// ---- the spark

TEST_F(EffectsTest, ASparkFliesItsStraightPathInHalfASecondLeavingATrail) {
  Dt(0.1f);
  ShotLog trail;
  PARTICLE_BULLET e(&game(), &trail, nullptr, JST::iPOINT(100, 401), JST::iPOINT(500, 1));
  const std::vector<std::pair<float, float>> path = {{180, 321}, {260, 241}, {340, 161}, {420, 81}, {500, 1}};
  for (const auto& [x, y] : path) {
    EXPECT_EQ(e.Update(), kEffectRunning);
    EXPECT_NEAR(e.position.x, x, 1e-3);
    EXPECT_NEAR(e.position.y, y, 1e-3);
  }
  EXPECT_EQ(e.Update(), kEffectFinished) << "on the target's line";
  // Every frame longer than 0.01 s feeds the trail 5 particles where the
  // spark is.
  ASSERT_EQ(trail.shots.size(), 5u);
  EXPECT_EQ(trail.shots[0], std::make_tuple(5, 180, 321));
  EXPECT_EQ(trail.shots[4], std::make_tuple(5, 500, 1));
}

TEST_F(EffectsTest, TheTrailIsFedOnlyOnceMoreThanAHundredthOfASecondHasPassed) {
  Dt(0.004f);
  ShotLog trail;
  PARTICLE_BULLET e(&game(), &trail, nullptr, JST::iPOINT(100, 401), JST::iPOINT(500, 1));
  e.Update();
  e.Update();
  EXPECT_TRUE(trail.shots.empty()) << "0.008 s";
  e.Update();
  EXPECT_EQ(trail.shots.size(), 1u) << "0.012 s";
  e.Update();
  EXPECT_EQ(trail.shots.size(), 1u) << "the timer started again";
}

TEST_F(EffectsTest, NoSparkLivesForever) {
  Dt(0.1f);
  struct Case {
    JST::iPOINT start, target;
    int updates;  // the update that reports it finished
    const char* why;
  };
  for (const Case& c : {
           Case{{300, 0}, {512, 1}, 1, "starts above the target's line"},
           Case{{300, -999}, {512, 1}, 1, "starts well above it, inside the box"},
           Case{{300, 1}, {512, 1}, 1, "starts on the target's line: no vertical speed"},
           Case{{3000, 300}, {3500, 1}, 6, "its target lies outside the box sideways"},
           Case{{300, 400}, {512, 1}, 6, "an ordinary join"},
       }) {
    PARTICLE_BULLET e(&game(), nullptr, nullptr, c.start, c.target);
    int n = 1;
    while (e.Update() != kEffectFinished && n < 100) ++n;
    EXPECT_EQ(n, c.updates) << c.why;
  }
}

// ---- the board's list

TEST_F(EffectsTest, TheListDeletesFinishedEffectsAndStillUpdatesTheNextOne) {
  Dt(0.25f);
  auto& b = Board();
  auto* a = new PUZZLE_EXPENSE(&game(), font.get(), 1.0f, "a", 0, 0);
  auto* done1 = new PUZZLE_EXPENSE(&game(), font.get(), 0.0f, "b", 0, 0);
  auto* done2 = new PUZZLE_EXPENSE(&game(), font.get(), 0.0f, "c", 0, 0);
  auto* d = new PUZZLE_EXPENSE(&game(), font.get(), 1.0f, "d", 0, 0);
  auto* e = new PUZZLE_EXPENSE(&game(), font.get(), 0.0f, "e", 0, 0);
  for (JST::STE* x : {static_cast<JST::STE*>(a), static_cast<JST::STE*>(done1), static_cast<JST::STE*>(done2),
                      static_cast<JST::STE*>(d), static_cast<JST::STE*>(e)})
    b.eAdd(x);
  b.eAdd(nullptr);
  ASSERT_EQ(b.effects.size(), 5u);
  b.UpdateEffects();
  ASSERT_EQ(b.effects.size(), 2u);
  EXPECT_EQ(b.effects[0], a);
  EXPECT_EQ(b.effects[1], d);
  EXPECT_FLOAT_EQ(a->TimeLeft(), 0.75f);
  EXPECT_FLOAT_EQ(d->TimeLeft(), 0.75f) << "the effect after two removed ones had its step";
}

TEST_F(EffectsTest, AnEffectWithNoTimeIsGoneAtTheBoardsFirstUpdateAndNeverDrawn) {
  auto& b = Board();
  b.state = GAME::PUZZLE_PIECES_SYSTEM::kStatePlay;
  b.eAdd(new PUZZLE_EXPENSE(&game(), font.get(), 0.0f, "123", 300, 300));
  b.Update(0, 0.0f);
  EXPECT_TRUE(b.effects.empty());
  plat::gfx::ClearRecorded();
  b.Render(0);
  EXPECT_TRUE(drawtest::QuadsOf(font->page->GetTexture()).empty());
}

TEST_F(EffectsTest, AJoinShootsGlueAndAddsThePointsTextThenTheSparkToTheTop) {
  auto& b = Board();
  ASSERT_NE(partGlue, nullptr);
  const int before = partGlue->sys.liveCount;
  b.eCreateGlue(300, 400, "+20");
  EXPECT_EQ(partGlue->sys.liveCount - before, 300);
  ASSERT_EQ(b.effects.size(), 2u);
  auto* text = dynamic_cast<PUZZLE_EXPENSE*>(b.effects[0]);
  auto* spark = dynamic_cast<PARTICLE_BULLET*>(b.effects[1]);
  ASSERT_TRUE(text && spark);
  EXPECT_EQ(text->Text(), "+20");
  EXPECT_FLOAT_EQ(text->TimeLeft(), 1.0f);
  EXPECT_FLOAT_EQ(text->position.x, 300.0f);
  EXPECT_FLOAT_EQ(text->position.y, 400.0f);
  EXPECT_EQ(spark->Start().x, 300);
  EXPECT_EQ(spark->Start().y, 400);
  EXPECT_EQ(spark->Target().x, 512) << "the screen centre";
  EXPECT_EQ(spark->Target().y, 1);
  // The unused bonus: 2 s with the board's bonus icon.
  std::unique_ptr<JST::STE> bonus(b.eCreateBonus(10, 20));
  auto* icon = dynamic_cast<BONUS*>(bonus.get());
  ASSERT_NE(icon, nullptr);
  EXPECT_FLOAT_EQ(icon->TimeLeft(), 2.0f);
  EXPECT_EQ(b.effects.size(), 2u) << "made, not added";
}

TEST_F(EffectsTest, TheBoardDrawsItsEffectsAfterTheParticlesInOrder) {
  auto& b = Board();
  b.state = GAME::PUZZLE_PIECES_SYSTEM::kStatePlay;
  b.eAdd(b.eCreateBulletPartic(100, 300));
  b.eAdd(b.eCreateBonus(200, 300));
  plat::gfx::ClearRecorded();
  b.Render(0);
  const auto quads = drawtest::DrawnQuads();
  ASSERT_GE(quads.size(), 2u);
  EXPECT_EQ(quads[quads.size() - 2].texture, b.SnowCursor()->GetTexture());
  EXPECT_EQ(quads.back().texture, b.Bonus()->GetTexture());
}

}  // namespace
