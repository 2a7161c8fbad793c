// The board's tools and frame rules: the hint (nothing with one part left,
// the preference for new rows and columns, the fixed scan when no try finds
// a pair, edges only and the closed pocket, groups brought to the top), the
// hint particles, the sort's quarters and corners, edges only refused once
// the frame is complete and the fading it drives, the finished frame turned
// upright and moved onto the picture's place, the join glow's second, the
// frame light and sparkle glows, and the z-order dump.
//
// 1024 x 768, centre (512, 384); play area (50, 50)-(974, 718); pictures of
// 100-pixel cells centred on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "GAME/board/pocket.h"
#include "ST/particles.h"
#include "tests/support/board_env.h"

namespace {

using boardtest::Board;
using boardtest::Piece;

std::pair<int, int> XY(JST::iPOINT p) { return {p.x, p.y}; }

class BoardTools : public boardtest::BoardEnv {
 protected:
  void TearDown() override {
    eToolHint = eToolSort = nullptr;
    BoardEnv::TearDown();
  }
  // The two tool sounds real, each its own sound.
  void ToolSounds() {
    RealPlaySounds();
    static ZOV::ST_A* hint = nullptr;
    static ZOV::ST_A* sort = nullptr;
    if (!hint) {
      dialogtest::WriteSilence("hint.wav");
      dialogtest::WriteSilence("sort.wav");
      hint = game().GetSound("hint.wav");
      sort = game().GetSound("sort.wav");
      ZOV::SoundSetMultistriam(hint, true);
      ZOV::SoundSetMultistriam(sort, true);
    }
    eToolHint = hint;
    eToolSort = sort;
  }
  // Every piece of the grid indices in `ids` joins group `g`.
  void Group(std::initializer_list<int> ids, int g) {
    for (int k : ids) board->gridOrder[size_t(k)]->group = g;
  }
  static std::pair<int, int> RowCol(const Piece* p) { return {p->row, p->column}; }
  std::vector<const Piece*> Hinted() const {
    std::vector<const Piece*> out;
    for (const Piece* p : board->gridOrder)
      if (p->hint) out.push_back(p);
    return out;
  }
};

// ---- the hint

TEST_F(BoardTools, AHintWithOnePartLeftGivesNothingAndPlaysNothing) {
  Board& b = Playing();
  ToolSounds();
  b.regF = 1;
  EXPECT_FALSE(b.Help());
  EXPECT_EQ(Plays(eToolHint), 0);
  EXPECT_TRUE(Hinted().empty());
  EXPECT_EQ(b.regH, 0);
  EXPECT_FALSE(b.hintShown);
}

TEST_F(BoardTools, AHintShowsTwoNeighboursOfDifferentPartsWithItsSound) {
  for (float seed : {1.0f, 5.0f, 77.0f}) {
    SCOPED_TRACE(seed);
    game().random.Seed(seed);
    Board& b = Playing(4);
    ToolSounds();
    ASSERT_TRUE(b.Help());
    EXPECT_EQ(Plays(eToolHint), 1);
    EXPECT_TRUE(b.hintShown);
    EXPECT_EQ(b.regH, 1);
    const auto h = Hinted();
    ASSERT_EQ(h.size(), 2u);
    const Piece* first = b.gridOrder[size_t(b.hintFirst.x * 4 + b.hintFirst.y)];
    const Piece* second = b.gridOrder[size_t(b.hintSecond.x * 4 + b.hintSecond.y)];
    EXPECT_TRUE(first->hint);
    EXPECT_TRUE(second->hint);
    EXPECT_EQ(std::abs(first->row - second->row) + std::abs(first->column - second->column), 1) << "neighbours";
    EXPECT_EQ(b.zOrder[0], second) << "the second on top";
    EXPECT_EQ(b.zOrder[1], first) << "the first below it";
  }
}

TEST_F(BoardTools, ANewHintAvoidsThePreviousPairsRowsAndColumns) {
  for (float seed : {2.0f, 3.0f, 11.0f, 4242.0f}) {
    SCOPED_TRACE(seed);
    game().random.Seed(seed);
    Board& b = Playing(5);
    ASSERT_TRUE(b.Help());
    const JST::iPOINT a = b.hintFirst, c = b.hintSecond;
    ASSERT_TRUE(b.Help());
    const JST::iPOINT f = b.hintFirst;
    EXPECT_TRUE(f.x != a.x && f.x != c.x) << "row " << f.x;
    EXPECT_TRUE(f.y != a.y && f.y != c.y) << "column " << f.y;
    EXPECT_EQ(Hinted().size(), 2u) << "the old pair is cleared";
    EXPECT_EQ(b.regH, 2);
  }
}

TEST_F(BoardTools, WhenNoTryFindsAPairTheFixedScanStillGivesOne) {
  // Everything but (1, 2) is one group; the previous hint was (1, 1) and
  // (1, 2). A first piece away from row 1 and columns 1 and 2 is (0, 0) or
  // (2, 0), and neither has a neighbour in another part: every random try
  // fails. The scan finds (0, 2) above the loose (1, 2).
  for (float seed : {1.0f, 9.0f}) {
    SCOPED_TRACE(seed);
    game().random.Seed(seed);
    Board& b = Playing();
    ToolSounds();
    Group({0, 1, 2, 3, 4, 6, 7, 8}, 5);
    b.regF = 2;
    b.hintFirst = JST::iPOINT(1, 1);
    b.hintSecond = JST::iPOINT(1, 2);
    b.zOrder.erase(std::find(b.zOrder.begin(), b.zOrder.end(), At(1, 2)));
    b.zOrder.push_back(At(1, 2));  // the loose piece at the bottom
    ASSERT_TRUE(b.Help());
    EXPECT_EQ(Plays(eToolHint), 1);
    EXPECT_EQ(Hinted(), (std::vector<const Piece*>{At(0, 2), At(1, 2)}));
    EXPECT_EQ(RowCol(At(0, 2)), XY(b.hintFirst));
    EXPECT_EQ(RowCol(At(1, 2)), XY(b.hintSecond));
    EXPECT_EQ(b.zOrder.front(), At(1, 2)) << "the loose piece to the top";
    EXPECT_EQ(b.regH, 1);
    EXPECT_TRUE(b.hintShown);
  }
}

TEST_F(BoardTools, HintsKeepToWhatThePlayerSees) {
  struct Case {
    const char* name;
    bool edgesOnly;
    std::vector<int> pocketed;  // grid indices in the closed pocket
    std::set<int> allowed;      // the pieces a hint may show
  };
  const std::vector<Case> cases = {
      {"edges only", true, {}, {0, 1, 2, 3, 4, 7, 8, 11, 12, 13, 14, 15}},
      {"the closed pocket", false, {2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {0, 1, 5}},
      // Only (1, 0) and (2, 0) show with edges only and the pocket closed.
      {"both", true, {0, 1, 2, 3, 7, 11, 12, 13, 14, 15}, {4, 8}},
  };
  for (const Case& c : cases)
    for (float seed : {1.0f, 2.0f, 3.0f}) {
      SCOPED_TRACE(c.name);
      SCOPED_TRACE(seed);
      game().random.Seed(seed);
      Board& b = Playing(4);
      b.edgesOnly = c.edgesOnly;
      for (int k : c.pocketed) b.gridOrder[size_t(k)]->inPocket = 1;
      ASSERT_TRUE(b.Help());
      const auto h = Hinted();
      ASSERT_EQ(h.size(), 2u);
      for (const Piece* p : h) EXPECT_EQ(c.allowed.count(p->row * 4 + p->column), 1u) << p->row << "," << p->column;
    }
}

TEST_F(BoardTools, PiecesInTheClosedPocketAreHintedWhenNoOtherPairIsLeft) {
  Board& b = Playing();
  Group({0, 1, 2, 3, 5, 6, 7, 8}, 4);
  At(1, 1)->inPocket = 1;
  b.regF = 2;
  ASSERT_TRUE(b.Help());
  EXPECT_TRUE(At(1, 1)->hint);
  EXPECT_EQ(Hinted().size(), 2u);
}

TEST_F(BoardTools, AHintBringsAGroupedInnerPieceWithItsGroupToTheTop) {
  // 4 x 4: the four inner pieces are group 4 at the bottom of the z-order,
  // the frame is group 7. Every pair is a frame piece and an inner piece;
  // frame pieces never move, the inner group comes up whole.
  for (float seed : {1.0f, 6.0f, 31.0f}) {
    SCOPED_TRACE(seed);
    game().random.Seed(seed);
    Board& b = Playing(4);
    Group({5, 6, 9, 10}, 4);
    Group({0, 1, 2, 3, 4, 7, 8, 11, 12, 13, 14, 15}, 7);
    b.regF = 2;
    std::stable_partition(b.zOrder.begin(), b.zOrder.end(), [](const Piece* p) { return p->group == 7; });
    std::vector<Piece*> inner(b.zOrder.end() - 4, b.zOrder.end());
    std::vector<Piece*> frame(b.zOrder.begin(), b.zOrder.end() - 4);
    ASSERT_TRUE(b.Help());
    EXPECT_EQ(std::vector<Piece*>(b.zOrder.begin(), b.zOrder.begin() + 4), inner) << "in its own order";
    EXPECT_EQ(std::vector<Piece*>(b.zOrder.begin() + 4, b.zOrder.end()), frame);
  }
}

TEST_F(BoardTools, HintParticlesRiseFromTheRestingHintedPiecesOncePerPeriod) {
  Board& b = Playing();
  game().timer.SetDelta(0.25f);  // above the 0.009 s period of Min 3
  ASSERT_NE(partHelp, nullptr);
  Place(0, 0, 300, 300);
  Place(1, 0, 300, 300);
  At(1, 0)->inPocket = 1;  // the closed pocket: drawn shifted by its offset
  At(0, 0)->hint = At(1, 0)->hint = true;
  b.hintShown = true;
  Place(2, 2, 700, 300);
  At(2, 2)->hint = true;
  At(2, 2)->shadowLevel = 0.5f;  // lifted: no particles
  const JST::fPOINT shift = b.PocketOffset();
  ASSERT_LT(shift.x, -100.0f);
  std::vector<int> alive;
  for (int f = 0; f < 3; ++f) {
    b.Update(0, 0.0f);
    alive.push_back(partHelp->sys.liveCount);
  }
  EXPECT_EQ(alive, (std::vector<int>{0, 2, 4})) << "none before the first period";
  EXPECT_EQ(static_cast<PARTIC_CIRCLE*>(partHelp)->radius, 70);
  // The two newest, each within the zone around its piece's drawn centre.
  std::vector<JST::fPOINT> centres = {{300.0f, 300.0f}, {300.0f + shift.x, 300.0f + shift.y}};
  int near = 0;
  for (const ZOV::JPARTIC* q = partHelp->sys.particles; q; q = q->next)
    for (const JST::fPOINT& c : centres)
      if (std::hypot(q->x - c.x, q->y - c.y) <= 71.0f) ++near;
  EXPECT_EQ(near, 4);
  b.HelpOff();
  b.Update(0, 0.0f);
  EXPECT_EQ(partHelp->sys.liveCount, 4) << "no hint, no new particles";
}

// ---- the sort

TEST_F(BoardTools, TheSortSpreadsTheListInQuartersAroundTheCentre) {
  // 4 x 4 with the corners and (1, 1), (1, 2) in the pocket: ten pieces
  // outside it, q = 10 / 4 + 1 = 3. (2, 1) and (2, 2) are a group and (3, 1)
  // is faded out: they stay.
  game().random.Seed(3.0f);
  Board& b = Playing(4);
  ToolSounds();
  for (int k : {0, 3, 5, 6, 12, 15}) b.gridOrder[size_t(k)]->inPocket = 1;
  Group({9, 10}, 2);
  b.gridOrder[13]->alpha = 0.0f;
  std::vector<JST::iPOINT> before;
  for (const Piece* p : b.gridOrder) before.push_back(p->destination);
  b.Sort();
  EXPECT_EQ(Plays(eToolSort), 1);
  EXPECT_TRUE(b.regGVN2);
  // c = 100; P = (512, 384); quarters c inside the play area and c off P.
  struct Quarter {
    int x0, x1, y0, y1;
  };
  const Quarter tl{150, 412, 150, 284}, tr{612, 874, 150, 284}, bl{150, 412, 484, 618}, br{612, 874, 484, 618};
  // L = 1, 2, 4, 7, 8, 9, 10, 11, 13, 14 (grid indices).
  const std::vector<std::pair<int, Quarter>> moved = {{1, tl}, {2, tl}, {4, tl}, {7, tr}, {8, tr}, {11, bl}, {14, br}};
  for (const auto& [k, q] : moved) {
    SCOPED_TRACE(k);
    const JST::iPOINT d = b.gridOrder[size_t(k)]->destination;
    EXPECT_NE(XY(d), XY(before[size_t(k)]));
    EXPECT_GE(d.x, q.x0);
    EXPECT_LE(d.x, q.x1);
    EXPECT_GE(d.y, q.y0);
    EXPECT_LE(d.y, q.y1);
  }
  for (int k : {0, 3, 5, 6, 12, 15, 9, 10, 13})
    EXPECT_EQ(XY(b.gridOrder[size_t(k)]->destination), XY(before[size_t(k)])) << k;
  // They glide there.
  game().timer.SetDelta(0.25f);
  for (int f = 0; f < 6; ++f) b.Update(0, 0.0f);
  for (const auto& [k, q] : moved) {
    const Piece* p = b.gridOrder[size_t(k)];
    EXPECT_NEAR(p->pos.x, float(p->destination.x), float(Piece::kGlideStop)) << k;
  }
}

TEST_F(BoardTools, TheSortSendsTheCornerPiecesToThePlayAreasCorners) {
  Board& b = Playing(3);
  b.Sort();
  EXPECT_EQ(XY(At(0, 0)->destination), std::make_pair(150, 150));
  EXPECT_EQ(XY(At(0, 2)->destination), std::make_pair(874, 150));
  EXPECT_EQ(XY(At(2, 0)->destination), std::make_pair(150, 618));
  EXPECT_EQ(XY(At(2, 2)->destination), std::make_pair(874, 618));
}

// ---- edges only

TEST_F(BoardTools, EdgesOnlyCannotBeSwitchedOnOnceTheFrameIsComplete) {
  // regBr < 2 refuses whether or not the frame light has run.
  for (int light : {Board::kIndexIdle, 0, 3, Board::kIndexDone}) {
    SCOPED_TRACE(light);
    Board& b = Playing();
    b.regBr = 1;
    b.frameLight = light;
    EXPECT_FALSE(b.SetBorder());
    EXPECT_FALSE(b.edgesOnly);
  }
  Board& b = Playing();
  b.regBr = 2;
  EXPECT_TRUE(b.SetBorder()) << "two frame parts left";
}

TEST_F(BoardTools, EdgesOnlyFadesTheLooseInnerPiecesOutAndBackIn) {
  Board& b = Playing(4);
  game().timer.SetDelta(0.25f);
  Group({5, 6}, 3);
  Place(2, 1, 700, 300);  // alone, where nothing lies under it
  ASSERT_TRUE(b.SetBorder());
  std::vector<float> inner, grouped, edge;
  for (int f = 0; f < 5; ++f) {
    b.Update(0, 0.0f);
    inner.push_back(b.gridOrder[9]->alpha);
    grouped.push_back(b.gridOrder[5]->alpha);
    edge.push_back(b.gridOrder[1]->alpha);
  }
  EXPECT_EQ(inner, (std::vector<float>{0.75f, 0.5f, 0.25f, 0.0f, 0.0f}));
  EXPECT_EQ(grouped, (std::vector<float>{1, 1, 1, 1, 1}));
  EXPECT_EQ(edge, (std::vector<float>{1, 1, 1, 1, 1}));
  EXPECT_EQ(b.WhoIn(int(b.gridOrder[9]->pos.x), int(b.gridOrder[9]->pos.y)), 0) << "a faded piece cannot be taken";
  ASSERT_FALSE(b.SetBorder());
  b.Update(0, 0.0f);
  b.Update(0, 0.0f);
  EXPECT_FLOAT_EQ(b.gridOrder[9]->alpha, 0.5f);
}

// 5 x 5: every piece but the inner (2, 2) is the finished frame's group,
// at home; the loose piece lies on the picture, over its place. Whatever
// pair a hint shows (40 boards, three hints in a row on each), the loose
// piece stays above the frame, which can be neither picked nor moved, and
// can still be taken.
TEST_F(BoardTools, AHintNeverBuriesTheLastLoosePieceUnderTheFinishedFrame) {
  for (int seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    Board& b = Playing(5);
    game().random.Seed(float(seed));  // after the cut, which seeds its own
    for (Piece* p : b.gridOrder) {
      p->SetPos(312 + 100 * p->column, 184 + 100 * p->row);
      if (p != At(2, 2)) p->group = 1;
    }
    Place(2, 2, 530, 400);
    b.cstr = 1;
    b.regBr = 1;
    b.regF = 2;
    b.regCg = 23;
    b.frameLight = Board::kIndexDone;
    b.SwapStrUp(1, false);
    for (int hint = 0; hint < 3; ++hint) {
      SCOPED_TRACE(hint);
      ASSERT_TRUE(b.Help());
      ASSERT_TRUE(At(2, 2)->hint);
      EXPECT_EQ(b.zOrder.front(), At(2, 2));
      EXPECT_EQ(b.WhoIn(530, 400), b.ZOf(At(2, 2)) + 1) << "the loose piece can be taken";
    }
  }
}

// ---- the finished frame

TEST_F(BoardTools, TheCompleteFrameTurnsUprightAboutItsCornerAndMovesOntoThePicture) {
  // A 3 x 3 frame turned three quarters (one quarter short of upright),
  // its corner piece at (300, 200): the turned frame's pieces lie at
  // (100 r, -100 c) from it. Home of the corner piece: (412, 284).
  Board& b = Playing(3);
  const int frame[] = {0, 1, 2, 3, 5, 6, 7, 8};
  for (int k : frame) {
    Piece* p = b.gridOrder[size_t(k)];
    p->group = 1;
    p->rotation = 3;
    p->RotationPoint();
    p->angle = 3 * 1.5707964f;
    p->SetPos(300 + 100 * p->row, 200 - 100 * p->column);
  }
  b.regBr = 1;
  b.regF = 2;
  game().timer.SetDelta(0.05f);
  for (int f = 0; f < 80; ++f) b.Update(0, 0.0f);
  for (int k : frame) {
    const Piece* p = b.gridOrder[size_t(k)];
    SCOPED_TRACE(k);
    EXPECT_EQ(p->rotation, 0);
    EXPECT_NEAR(p->pos.x, 412.0f + 100.0f * float(p->column), 1.0f);
    EXPECT_NEAR(p->pos.y, 284.0f + 100.0f * float(p->row), 1.0f);
  }
  EXPECT_EQ(b.regBr, 1) << "still complete";
  EXPECT_EQ(b.Picture()->position.x, 512.0f);
  // Held there: a frame dragged off its place is brought back next frame.
  b.MoveStr(1, 40.0f, 0.0f);
  EXPECT_FLOAT_EQ(At(0, 0)->pos.x, 412.0f) << "the finished frame never moves by hand";
  for (Piece* p : b.zOrder)
    if (p->group == 1) p->Move(33.0f, -20.0f);
  b.Update(0, 0.0f);
  EXPECT_FLOAT_EQ(At(0, 0)->pos.x, 412.0f);
  EXPECT_FLOAT_EQ(At(0, 0)->pos.y, 284.0f);
  EXPECT_FLOAT_EQ(At(2, 2)->pos.x, 612.0f);
}

TEST_F(BoardTools, AnIncompleteFrameStaysWhereItIs) {
  Board& b = Playing(3);
  Group({0, 1}, 1);
  Place(0, 0, 300, 200);
  Place(0, 1, 400, 200);
  b.regBr = 6;
  b.Update(0, 0.0f);
  EXPECT_FLOAT_EQ(At(0, 0)->pos.x, 300.0f);
  EXPECT_FLOAT_EQ(At(0, 0)->pos.y, 200.0f);
}

// ---- glows

TEST_F(BoardTools, TheJoinGlowLastsOneSecond) {
  Board& b = Playing();
  game().timer.SetDelta(0.3f);
  Group({0, 1}, 3);
  Place(0, 0, 300, 300);
  Place(0, 1, 400, 300);
  b.lastJoinedGroup = 3;
  std::vector<int> group;
  std::vector<float> phase;
  for (int f = 0; f < 6; ++f) {
    b.Update(0, 0.0f);
    group.push_back(b.lastJoinedGroup);
    phase.push_back(b.joinPhase);
  }
  EXPECT_EQ(group, (std::vector<int>{3, 3, 3, 3, -1, -1}));
  const std::vector<float> want = {0.9424778f, 1.8849556f, 2.8274334f, 3.7699112f, 0.0f, 0.0f};
  for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(phase[i], want[i], 1e-5f) << i;
}

TEST_F(BoardTools, TheLitFramePieceAndTheSparklingPieceGlowOverTheirGroup) {
  Board& b = Playing();
  for (Piece* p : b.zOrder) p->group = 1;
  b.frameLight = 2;  // the third frame piece clockwise: (0, 2)
  b.frameLightTimer = 0.25f;
  b.winSparkle = 4;  // the centre
  b.sparkleTimer = 0.125f;
  plat::gfx::ClearRecorded();
  b.RenderPieces();
  std::vector<uint32_t> colours[9];
  for (const auto& q : drawtest::DrawnQuads())
    for (size_t k = 0; k < 9; ++k)
      if (q.texture == b.gridOrder[k]->sprite->GetTexture()) colours[k].push_back(q.color);
  for (size_t k = 0; k < 9; ++k) {
    SCOPED_TRACE(k);
    if (k == 2)
      EXPECT_EQ(colours[k], (std::vector<uint32_t>{0xCC000000u, 0xFFFFFFFFu, 0x66FFFFFFu}))
          << "0.4 x sin(1.55), 101.98 of 255";
    else if (k == 4)
      EXPECT_EQ(colours[k], (std::vector<uint32_t>{0xCC000000u, 0xFFFFFFFFu, 0x47FFFFFFu}))
          << "0.4 x sin(0.775), 71.37 of 255";
    else
      EXPECT_EQ(colours[k], (std::vector<uint32_t>{0xCC000000u, 0xFFFFFFFFu}));
  }
}

// ---- the log

TEST_F(BoardTools, ShowElementsListsTheZOrderWithEachGroup) {
  Board& b = Playing();
  b.zOrder[1]->group = 6;
  b.zOrder[2]->group = 6;
  b.zOrder[8]->group = 2;
  ::testing::internal::CaptureStdout();
  b.ShowElements();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "------------- nstr-------------\ni: 0 0\ni: 1 6\ni: 2 6\ni: 3 0\ni: 4 0\ni: 5 0\ni: 6 0\ni: 7 0\n"
            "i: 8 2\n------------- nstr-------------\n");
}

}  // namespace
