// One puzzle piece: the fly-in set-up, glides that stop short or snap onto
// their destination, quarter turns about a pivot, the locked piece, the
// shadow's rise and fall, the fade of loose inner pieces, moving, the
// frame test, and what is drawn (read back from the recording backend).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "GAME/board/piece.h"
#include "ST/game.h"
#include "ST/pixel_tools.h"
#include "ST/random.h"
#include "ST/sprite.h"
#include "tests/support/draw_record.h"

namespace gfx = plat::gfx;

namespace {

using GAME::PUZZLE_PIECES;
using JST::iPOINT;

// A square outline of four points (enough for the turn checks).
ZOV::JINCUTVECTOR* Square() {
  auto* head = new ZOV::JINCUTVECTOR();
  const iPOINT pts[4] = {{-10, -5}, {10, -5}, {10, 5}, {-10, 5}};
  GAMETOOLS::IpointToCutVector(pts, head, 4);
  return head;
}

std::vector<std::pair<float, float>> Points(const PUZZLE_PIECES& p) {
  std::vector<std::pair<float, float>> v;
  for (const ZOV::JINCUTVECTOR* n = p.outline->next; n; n = n->next) v.push_back({n->x, n->y});
  return v;
}

// A piece at rest at (x, y).
std::unique_ptr<PUZZLE_PIECES> Resting(int x, int y) {
  auto p = std::make_unique<PUZZLE_PIECES>();
  p->SetPoints(Square());
  p->SetPos(x, y);
  return p;
}

TEST(PieceSetUp, FlyInFromTheStartToTheScatterPoint) {
  ZOV::ST_RANDOM rng;
  rng.Seed(0.0f);
  PUZZLE_PIECES p;
  p.SetPoints(Square());
  GAME::PIECE_OPT opt;
  opt.cell = iPOINT(2, 1);
  opt.scatter = iPOINT(300, 200);
  opt.cellSize = iPOINT(40, 30);
  opt.start = iPOINT(-100, 200);
  opt.rotation = 1;
  opt.edge = true;
  p.InitPiece(opt, rng);
  EXPECT_EQ(p.column, 2);
  EXPECT_EQ(p.row, 1);
  EXPECT_EQ(p.cellW, 40);
  EXPECT_EQ(p.cellH, 30);
  EXPECT_TRUE(p.edge);
  EXPECT_FLOAT_EQ(p.alpha, 1.0f);
  EXPECT_EQ(p.GetPosX(), -100);
  EXPECT_EQ(p.destination.x, 300);
  // After Seed(0) the first draw steps the state to 2745024, so k = 0.5 + 41
  // * 1.5259022e-5 * 0.3 = 0.500188: 400 pixels at that factor are 200.07
  // pixels a second, truncated.
  EXPECT_EQ(p.velocity.x, 200);
  EXPECT_EQ(p.velocity.y, 0);
  EXPECT_EQ(p.rotation, 1);
  EXPECT_NEAR(p.angle, 1.5707963f, 1e-6f);
  // The outline turned a quarter clockwise: (-10, -5) -> (5, -10).
  const auto pts = Points(p);
  ASSERT_EQ(pts.size(), 4u);
  EXPECT_NEAR(pts.back().first, 5.0f, 1e-4f);
  EXPECT_NEAR(pts.back().second, -10.0f, 1e-4f);
}

TEST(PieceGlide, StopsShortWithinFivePixelsPerAxis) {
  struct Row {
    int dx;
    bool moves;
  };
  for (const Row& r : {Row{5, false}, Row{-5, false}, Row{6, true}, Row{-6, true}}) {
    auto p = Resting(100, 100);
    p->SetDestPoint(iPOINT(100 + r.dx, 100));
    p->Update(false, 0.1f);
    EXPECT_EQ(p->pos.x != 100.0f, r.moves) << r.dx;
    EXPECT_EQ(p->pos.y, 100.0f);
    if (!r.moves) { EXPECT_EQ(p->velocity.x, 0) << r.dx; }
  }
}

TEST(PieceGlide, OvershootEndsExactlyOnTheDestination) {
  auto p = Resting(0, 0);
  p->SetDestPoint(iPOINT(50, -40));
  EXPECT_EQ(p->velocity.x, 50);
  EXPECT_EQ(p->velocity.y, -40);
  p->Update(false, 0.5f);
  EXPECT_FLOAT_EQ(p->pos.x, 25.0f);
  EXPECT_FLOAT_EQ(p->pos.y, -20.0f);
  p->velocity = iPOINT(1000, -1000);  // far too fast for the rest
  p->Update(false, 0.18f);
  EXPECT_FLOAT_EQ(p->pos.x, 50.0f);
  EXPECT_FLOAT_EQ(p->pos.y, -40.0f);
  EXPECT_EQ(p->velocity.x, 0);
  EXPECT_EQ(p->velocity.y, 0);
}

TEST(PieceTurn, QuarterTurnAboutThePivot) {
  auto p = Resting(10, 0);
  p->ChangeRot(0.0f, 0.0f);
  EXPECT_FLOAT_EQ(p->turnProgress, 0.001f);
  // The outline holds the final turn at once.
  EXPECT_FLOAT_EQ(Points(*p).back().first, 5.0f);
  EXPECT_FLOAT_EQ(Points(*p).back().second, -10.0f);
  p->Update(false, 0.05f);  // halfway: turning about (0, 0)
  EXPECT_GT(p->turnProgress, 0.0f);
  EXPECT_NEAR(std::hypot(p->pos.x, p->pos.y), 10.0f, 1e-3f);
  EXPECT_GT(p->pos.y, 0.0f);
  p->Update(false, 0.1f);
  EXPECT_EQ(p->turnProgress, 0.0f);
  EXPECT_EQ(p->rotation, 1);
  EXPECT_FLOAT_EQ(p->pos.x, 0.0f);
  EXPECT_FLOAT_EQ(p->pos.y, 10.0f);
  EXPECT_EQ(p->destination.x, 0);
  EXPECT_EQ(p->destination.y, 10);
}

TEST(PieceTurn, FourQuarterTurnsComeBackToZero) {
  auto p = Resting(40, 30);
  const auto before = Points(*p);
  for (int i = 1; i <= 4; ++i) {
    p->ChangeRot(40.0f, 30.0f);
    for (int f = 0; f < 20 && p->turnProgress > 0.0f; ++f) p->Update(false, 0.02f);
    EXPECT_EQ(p->rotation, i % 4);
  }
  EXPECT_EQ(p->angle, 0.0f);
  EXPECT_FLOAT_EQ(p->pos.x, 40.0f);
  EXPECT_FLOAT_EQ(p->pos.y, 30.0f);
  EXPECT_EQ(Points(*p), before);
}

TEST(PieceTurn, ALockedPieceDoesNotTurn) {
  auto p = Resting(40, 30);
  p->locked = true;
  const auto before = Points(*p);
  p->ChangeRot(0.0f, 0.0f);
  EXPECT_EQ(p->turnProgress, 0.0f);
  EXPECT_EQ(p->pivot.x, 0.0f);
  EXPECT_EQ(Points(*p), before);
  p->Update(false, 0.1f);
  EXPECT_EQ(p->rotation, 0);
  EXPECT_FLOAT_EQ(p->pos.x, 40.0f);
}

TEST(PieceTurn, RotationPointBringsAFreshOutlineToTheRotation) {
  auto p = Resting(0, 0);
  p->rotation = 2;
  testing::internal::CaptureStdout();
  p->RotationPoint();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("rottata= 2"), std::string::npos) << out;
  EXPECT_EQ(Points(*p).back(), (std::pair<float, float>(10.0f, 5.0f))) << "(-10, -5) turned by a half";
}

TEST(PieceMove, AGlideOrTurnGoesOnWithThePiece) {
  auto p = Resting(0, 0);
  p->SetDestPoint(iPOINT(100, 0));
  p->ChangeRot(5.0f, 5.0f);
  p->Move(10.5f, -3.0f);
  EXPECT_FLOAT_EQ(p->pos.x, 10.5f);
  EXPECT_EQ(p->destination.x, 110) << "110.5 truncated";
  EXPECT_EQ(p->destination.y, -3);
  EXPECT_FLOAT_EQ(p->pivot.x, 15.5f);
  EXPECT_FLOAT_EQ(p->turnStart.x, 10.5f);
  EXPECT_FLOAT_EQ(p->turnStart.y, -3.0f);
}

TEST(PieceShadow, LiftAndDropTakeHalfASecond) {
  auto p = Resting(0, 0);
  p->shadowDir = PUZZLE_PIECES::kShadowRising;
  p->Update(false, 0.2f);
  EXPECT_FLOAT_EQ(p->shadowLevel, 0.4f);
  p->Update(false, 0.2f);
  p->Update(false, 0.2f);
  EXPECT_EQ(p->shadowLevel, 1.0f);
  EXPECT_EQ(p->shadowDir, PUZZLE_PIECES::kShadowStill);
  p->shadowDir = PUZZLE_PIECES::kShadowFalling;
  p->Update(false, 0.3f);
  p->Update(false, 0.3f);
  EXPECT_EQ(p->shadowLevel, 0.0f);
  EXPECT_EQ(p->shadowDir, PUZZLE_PIECES::kShadowStill);
  EXPECT_FLOAT_EQ(p->ShadowOffset(), 2.0f);
  EXPECT_EQ(p->ShadowColour(), 0xCC000000u) << "resting: alpha 0.8";
  p->shadowLevel = 1.0f;
  EXPECT_FLOAT_EQ(p->ShadowOffset(), 12.0f);
  EXPECT_EQ(p->ShadowColour(), 0x66000000u) << "lifted: alpha 0.4";
}

TEST(PieceFade, OnlyLooseInnerPiecesFade) {
  struct Row {
    bool edge;
    int group;
    float alpha;  // after 0.25 s of fading
  };
  for (const Row& r : {Row{false, 0, 0.75f}, Row{true, 0, 1.0f}, Row{false, 7, 1.0f}}) {
    auto p = Resting(0, 0);
    p->edge = r.edge;
    p->group = r.group;
    p->Update(true, 0.25f);
    EXPECT_FLOAT_EQ(p->alpha, r.alpha) << r.edge << " " << r.group;
  }
  auto p = Resting(0, 0);
  for (int i = 0; i < 10; ++i) p->Update(true, 0.18f);
  EXPECT_EQ(p->alpha, 0.0f) << "clamped";
  p->Update(false, 0.1f);
  EXPECT_FLOAT_EQ(p->alpha, 0.1f);
  EXPECT_FALSE(p->PieceInFrame(-10, -10, 10, 10)) << "not fully shown";
  p->alpha = 1.0f;
  EXPECT_TRUE(p->PieceInFrame(10, 10, -10, -10)) << "corners in any order";
  EXPECT_TRUE(p->PieceInFrame(0, 0, 5, 5)) << "bounds included";
  EXPECT_FALSE(p->PieceInFrame(1, 1, 5, 5));
}

TEST(PieceFade, SelectedPiecesAreTintedBlue) {
  auto p = Resting(0, 0);
  EXPECT_EQ(p->DrawColour(), 0xFFFFFFFFu);
  p->selected = true;
  p->alpha = 0.5f;
  EXPECT_EQ(p->DrawColour(), 0x808C8CFFu);
}

class PieceDrawing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gfx::SetBackendForTests(gfx::Backend::Recording);
    ZOV::ST_GAME* game = ZOV::GetGame();
    game->app.Window().SetBackBufferSize(640, 480);
    ASSERT_EQ(game->gfx.Init(game->app.Window()), 0);
  }
  void SetUp() override {
    r = ZOV::GetGame()->GetGfx();
    if (r->framePhase == 0) {
      ASSERT_EQ(r->BeginFrame(), 0);
    }
    piece = std::make_unique<PUZZLE_PIECES>();
    piece->SetPoints(Square());
    const unsigned long tex = r->TextureCreate(30, 20);
    ASSERT_NE(tex, 0ul);
    r->TextureCreate(7, 7);  // the last texture touched is another one
    GAME::PIECE_OPT opt;
    opt.texture = tex;
    opt.start = opt.scatter = iPOINT(100, 80);
    ZOV::ST_RANDOM rng;
    piece->InitPiece(opt, rng);
    texture = tex;
    gfx::ClearRecorded();
  }
  void TearDown() override {
    piece.reset();
    if (r->framePhase == 1) {
      r->EndFrame();
      r->BeginPostFrame();
      r->EndPostFrame();
    }
  }
  ZOV::JINGFX* r = nullptr;
  std::unique_ptr<PUZZLE_PIECES> piece;
  unsigned long texture = 0;
};

TEST_F(PieceDrawing, ThePieceIsDrawnAtItsCentreAtItsTexturesSize) {
  piece->Render(0u);
  const auto q = drawtest::QuadsOf(texture);
  ASSERT_EQ(q.size(), 1u);
  EXPECT_FLOAT_EQ(q[0].x1 - q[0].x0, 30.0f);
  EXPECT_FLOAT_EQ(q[0].y1 - q[0].y0, 20.0f);
  EXPECT_FLOAT_EQ((q[0].x0 + q[0].x1) / 2, 100.0f);
  EXPECT_FLOAT_EQ((q[0].y0 + q[0].y1) / 2, 80.0f);
  EXPECT_EQ(q[0].color, 0xFFFFFFFFu);
}

TEST_F(PieceDrawing, ShadowOffsetDarkAndPositionKept) {
  piece->RenderShadow();
  auto q = drawtest::QuadsOf(texture);
  ASSERT_EQ(q.size(), 1u);
  EXPECT_FLOAT_EQ((q[0].x0 + q[0].x1) / 2, 102.0f);
  EXPECT_FLOAT_EQ((q[0].y0 + q[0].y1) / 2, 82.0f);
  EXPECT_EQ(q[0].color, 0xCC000000u);
  EXPECT_EQ(piece->sprite->GetColor(), 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(piece->GetPosX(), 100);

  gfx::ClearRecorded();
  piece->alpha = 0.99f;
  piece->RenderShadow();
  EXPECT_TRUE(drawtest::QuadsOf(texture).empty()) << "no shadow below full alpha";
}

TEST_F(PieceDrawing, GlowAndHintOnlyWhenFullyShown) {
  struct Row {
    bool hint, highlight, locked;
    float alpha;
    bool atOwnPlace;
    size_t quads;
  };
  const Row rows[] = {
      {false, false, false, 1.0f, true, 1},  {false, true, false, 1.0f, true, 2},
      {false, true, true, 1.0f, true, 1},    {false, true, true, 1.0f, false, 2},
      {true, false, true, 1.0f, true, 2},    {true, true, false, 0.5f, true, 1},
      {false, true, false, 0.5f, false, 1},
  };
  for (const Row& row : rows) {
    gfx::ClearRecorded();
    piece->hint = row.hint;
    piece->highlight = row.highlight;
    piece->locked = row.locked;
    piece->alpha = row.alpha;
    if (row.atOwnPlace) piece->Render(0u);
    else piece->Render(20.0f, 30.0f, 0u);
    const auto q = drawtest::QuadsOf(texture);
    EXPECT_EQ(q.size(), row.quads) << row.hint << row.highlight << row.locked << row.alpha << row.atOwnPlace;
    if (q.size() == 2 && row.highlight && !row.hint) { EXPECT_EQ(q[1].color >> 24, 0x14u) << "white at 0.4 * 0.2"; }
  }
}

}  // namespace
