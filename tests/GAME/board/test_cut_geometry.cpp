// The shapes of the jigsaw cut with exact values: grid sizes, the frame
// list, the tab mapping, the outline table of a 300 x 300 cut, seeds inside
// their pieces, border sides without tabs, node jitter, the range of pieces
// along the short side, and the random ranges that fall below their minimum.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "GAME/board/cut_geometry.h"
#include "ST/pixel_tools.h"
#include "ST/random.h"

namespace {

using GAME::CUT_LAYOUT;
using JST::iPOINT;

TEST(CutGrid, SizesOfTheGrid) {
  struct Row {
    int w, h, min;
    int cols, rows, cellW, cellH;
  };
  const Row rows[] = {
      {300, 300, 3, 3, 3, 100, 100},     {300, 300, 4, 4, 4, 75, 75},      {300, 300, 15, 15, 15, 20, 20},
      {600, 400, 3, 5, 3, 120, 133},     {600, 400, 4, 6, 4, 100, 100},    {600, 400, 15, 23, 15, 26, 27},
      {1024, 768, 3, 4, 3, 256, 256},    {1024, 768, 4, 5, 4, 205, 192},   {1024, 768, 15, 20, 15, 51, 51},
      {1920, 1080, 3, 5, 3, 384, 360},   {1920, 1080, 4, 7, 4, 274, 270},  {1920, 1080, 15, 27, 15, 71, 72},
      {1080, 1920, 3, 3, 5, 360, 384},   {1080, 1920, 4, 4, 7, 270, 274},  {1080, 1920, 15, 15, 27, 72, 71},
      {8, 8, 3, 3, 3, 3, 3},             {8, 8, 4, 4, 4, 2, 2},            {8, 8, 15, 15, 15, 1, 1},
  };
  for (const Row& r : rows) {
    const GAME::GRID_SIZE g = GAME::GridSize(r.w, r.h, r.min);
    EXPECT_EQ(g.cols, r.cols) << r.w << "x" << r.h << " min " << r.min;
    EXPECT_EQ(g.rows, r.rows) << r.w << "x" << r.h << " min " << r.min;
    EXPECT_EQ(g.cellW, r.cellW) << r.w << "x" << r.h << " min " << r.min;
    EXPECT_EQ(g.cellH, r.cellH) << r.w << "x" << r.h << " min " << r.min;
  }
}

TEST(CutGrid, FrameListRunsClockwiseFromTheTopLeftCorner) {
  EXPECT_EQ(GAME::CompleteVectorBorder(3, 3), (std::vector<int>{0, 1, 2, 5, 8, 7, 6, 3}));
  EXPECT_EQ(GAME::CompleteVectorBorder(4, 3), (std::vector<int>{0, 1, 2, 3, 7, 11, 10, 9, 8, 4}));
  struct Count {
    int cols, rows;
    size_t n;
  };
  for (const Count& c : {Count{4, 4, 12}, Count{5, 3, 12}, Count{20, 15, 66}, Count{27, 15, 80}, Count{15, 15, 56}})
    EXPECT_EQ(GAME::CompleteVectorBorder(c.cols, c.rows).size(), c.n) << c.cols << "x" << c.rows;
}

TEST(CutGrid, PieceImageSizeLeavesRoomForTheTabs) {
  // 1920 x 1080 at 15: cells 71 x 72; margins 2 * (int)(72 * 0.3) = 42 and,
  // with full distortion, 2 * (int)(71 * 0.2) = 28.
  const GAME::GRID_SIZE g = GAME::GridSize(1920, 1080, 15);
  EXPECT_EQ(GAME::PieceBoxSize(g, 0.0f).x, 113);
  EXPECT_EQ(GAME::PieceBoxSize(g, 0.0f).y, 114);
  EXPECT_EQ(GAME::PieceBoxSize(g, GAME::JitterFactor(1.0f)).x, 141);
  EXPECT_EQ(GAME::PieceBoxSize(g, GAME::JitterFactor(1.0f)).y, 142);
  EXPECT_FLOAT_EQ(GAME::JitterFactor(3.0f), 0.2f) << "more than 1 is taken as 1";
  EXPECT_FLOAT_EQ(GAME::JitterFactor(0.5f), 0.1f);
  EXPECT_FLOAT_EQ(GAME::JitterFactor(-1.0f), 0.0f);
}

struct EarCase {
  int x1, y1, x2, y2;
  bool flip;
  iPOINT want[7];
};

TEST(CutTabs, TemplateMappedOntoAnEdge) {
  iPOINT ear[7];
  GAME::InitPuzzleEar(ear);
  const iPOINT tmpl[7] = {{25, -3}, {48, 0}, {35, 16}, {50, 25}, {65, 16}, {52, 0}, {75, -3}};
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(ear[i].x == tmpl[i].x && ear[i].y == tmpl[i].y) << i;

  const EarCase cases[] = {
      {0, 0, 0, 100, false, {{2, 24}, {0, 48}, {-15, 35}, {-24, 50}, {-15, 65}, {0, 52}, {2, 74}}},
      {0, 0, 0, 100, true, {{-2, 25}, {0, 48}, {15, 34}, {24, 49}, {15, 64}, {0, 52}, {-2, 75}}},
      {0, 0, 100, 0, false, {{24, -2}, {48, 0}, {35, 15}, {50, 24}, {65, 15}, {52, 0}, {74, -2}}},
      // Summed in float, E0.x is 103 (in double it would be 102).
      {100, 0, 100, 100, false, {{103, 24}, {100, 48}, {84, 35}, {75, 50}, {84, 65}, {100, 52}, {103, 74}}},
  };
  for (const EarCase& c : cases) {
    GAME::InitPuzzleEar(ear);
    GAME::ChangeCoordFromVector(c.x1, c.y1, c.x2, c.y2, ear, c.flip);
    for (int i = 0; i < 7; ++i)
      EXPECT_TRUE(ear[i].x == c.want[i].x && ear[i].y == c.want[i].y)
          << "edge (" << c.x1 << "," << c.y1 << ")->(" << c.x2 << "," << c.y2 << ") flip " << c.flip << " point " << i
          << ": got (" << ear[i].x << "," << ear[i].y << ")";
  }
  // The flipped right edge of a 300 x 300 cut's first piece.
  GAME::InitPuzzleEar(ear);
  GAME::ChangeCoordFromVector(100, 0, 100, 100, ear, true);
  const iPOINT mid[5] = {{100, 48}, {115, 34}, {124, 49}, {115, 64}, {100, 52}};
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(ear[i + 1].x == mid[i].x && ear[i + 1].y == mid[i].y) << i + 1;
}

TEST(CutOutline, FirstPieceOfASquareCut) {
  const CUT_LAYOUT L = GAME::LayoutCut(300, 300, 3, 0.0f);
  ASSERT_EQ(L.outline.size(), 9u * 24u);
  const iPOINT* p = L.Outline(0, 0);
  auto is = [](iPOINT a, int x, int y) { return a.x == x && a.y == y; };
  EXPECT_TRUE(is(p[0], -50, -50));
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(is(p[i], 0, -50)) << i;
  EXPECT_TRUE(is(p[6], 50, -50));
  const iPOINT right[5] = {{50, -2}, {65, -16}, {74, -1}, {65, 14}, {50, 2}};
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(is(p[7 + i], right[i].x, right[i].y)) << 7 + i;
  EXPECT_TRUE(is(p[12], 50, 50));
  EXPECT_TRUE(is(p[18], -50, 50));
  for (int i = 19; i <= 23; ++i) EXPECT_TRUE(is(p[i], -50, 0)) << i;
  EXPECT_TRUE(is(L.Seed(0, 0), 50, 50));
  // The neighbour to the right holds the same tab as a notch: its points
  // 23 down to 19 are the first piece's 7 to 11, 100 pixels to the left.
  const iPOINT* q = L.Outline(1, 0);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(is(q[23 - i], right[i].x - 100, right[i].y)) << 23 - i;
}

// Every picture border side: its five edge points at the middle of the side.
void ExpectFlatBorders(const CUT_LAYOUT& L) {
  const int cols = L.grid.cols, rows = L.grid.rows, hw = L.grid.cellW / 2, hh = L.grid.cellH / 2;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      const iPOINT* p = L.Outline(c, r);
      for (int i = 0; i < 5; ++i) {
        if (r == 0) { EXPECT_TRUE(p[1 + i].x == 0 && p[1 + i].y == -hh) << c << "," << r; }
        if (c == cols - 1) { EXPECT_TRUE(p[7 + i].x == hw && p[7 + i].y == 0) << c << "," << r; }
        if (r == rows - 1) { EXPECT_TRUE(p[13 + i].x == 0 && p[13 + i].y == hh) << c << "," << r; }
        if (c == 0) { EXPECT_TRUE(p[19 + i].x == -hw && p[19 + i].y == 0) << c << "," << r; }
      }
    }
}

TEST(CutOutline, SeedsLieInsideTheirPiecesAndBordersHaveNoTabs) {
  struct Case {
    int w, h, min;
    float distortion;
  };
  const Case cases[] = {{300, 300, 3, 0.0f}, {300, 300, 3, 1.0f},    {600, 400, 4, 0.5f},
                        {1920, 1080, 15, 1.0f}, {1080, 1920, 15, 1.0f}, {1024, 768, 7, 0.3f}};
  for (const Case& k : cases) {
    const CUT_LAYOUT L = GAME::LayoutCut(k.w, k.h, k.min, k.distortion);
    for (int r = 0; r < L.grid.rows; ++r)
      for (int c = 0; c < L.grid.cols; ++c) {
        ZOV::JINCUTVECTOR head;
        GAMETOOLS::IpointToCutVector(L.Outline(c, r), &head, 24);
        const iPOINT centre = L.CellCentre(c, r), seed = L.Seed(c, r);
        EXPECT_EQ(GAMETOOLS::InsideObj(&head, centre.x, centre.y, seed.x, seed.y), 1)
            << k.w << "x" << k.h << " min " << k.min << " d " << k.distortion << " piece " << c << "," << r;
      }
    ExpectFlatBorders(L);
  }
}

TEST(CutNodes, DistortionMovesInnerNodesOnly) {
  const CUT_LAYOUT flat = GAME::LayoutCut(300, 300, 3, 0.0f);
  for (int r = 0; r <= 3; ++r)
    for (int c = 0; c <= 3; ++c)
      EXPECT_TRUE(flat.Node(c, r).x == 100 * c && flat.Node(c, r).y == 100 * r) << c << "," << r;

  const CUT_LAYOUT full = GAME::LayoutCut(300, 300, 3, 1.0f);
  const CUT_LAYOUT over = GAME::LayoutCut(300, 300, 3, 7.0f);
  int moved = 0;
  for (int r = 0; r <= 3; ++r)
    for (int c = 0; c <= 3; ++c) {
      const iPOINT n = full.Node(c, r);
      EXPECT_TRUE(n.x == over.Node(c, r).x && n.y == over.Node(c, r).y) << "distortion above 1 is 1";
      if (c == 0) { EXPECT_EQ(n.x, 0); }
      if (c == 3) { EXPECT_EQ(n.x, 300); }
      if (r == 0) { EXPECT_EQ(n.y, 0); }
      if (r == 3) { EXPECT_EQ(n.y, 300); }
      // Both axes move by the same amount, at most a fifth of a cell.
      if (c > 0 && c < 3 && r > 0 && r < 3) {
        EXPECT_EQ(n.x - 100 * c, n.y - 100 * r);
        EXPECT_LE(std::abs(n.x - 100 * c), 20);
        moved += n.x != 100 * c;
      }
    }
  EXPECT_GT(moved, 0);
  // Node 5 (column 1, row 1): Rand(5) = 18655 -> 8655 * 0.0001 * 100 * 0.2
  // = 17.31 -> 17 pixels, RandB(5) set -> minus.
  EXPECT_TRUE(full.Node(1, 1).x == 83 && full.Node(1, 1).y == 83) << full.Node(1, 1).x << "," << full.Node(1, 1).y;
}

TEST(CutNodes, EdgeSidesComeFromTheEdgeCounter) {
  // RandB(k) for k = 0..11 is 0,0,1,0,1,1,1,1,0,0,0,0; an edge is flipped
  // when RandB(k) is false. A 3 x 3 cut has 6 vertical edges (k 0..5), then
  // 6 horizontal ones. A flipped vertical edge bulges right (+x), a flipped
  // horizontal edge upward (-y).
  const CUT_LAYOUT L = GAME::LayoutCut(300, 300, 3, 0.0f);
  ASSERT_EQ(L.edges.size(), 12u);
  const bool randB[12] = {false, false, true, false, true, true, true, true, false, false, false, false};
  for (int k = 0; k < 12; ++k) {
    const GAME::CUT_EDGE& e = L.edges[size_t(k)];
    const bool vertical = k < 6;
    const int bulge = vertical ? e.ear[3].x - e.a.x : e.ear[3].y - e.a.y;
    const bool flipped = !randB[k];
    // A quarter of the 100-pixel edge (24 or 25 after truncation).
    EXPECT_GE(std::abs(bulge), 24) << k;
    if (vertical) { EXPECT_EQ(bulge > 0, flipped) << k; }
    else { EXPECT_EQ(bulge < 0, flipped) << k; }
  }
}

TEST(CutRange, PiecesAlongTheShortSideAreBroughtIntoRange) {
  struct Case {
    int given, used;
    bool logged;
  };
  for (const Case& c : {Case{1, 3, true}, Case{-4, 3, true}, Case{3, 3, false}, Case{15, 15, false},
                        Case{16, 15, true}, Case{1000, 15, true}}) {
    testing::internal::CaptureStdout();
    const CUT_LAYOUT L = GAME::LayoutCut(300, 300, c.given, 0.0f);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(L.min, c.used) << c.given;
    EXPECT_EQ(L.grid.cols, c.used) << c.given;
    EXPECT_EQ(out.find("out of range") != std::string::npos, c.logged) << c.given << ": " << out;
  }
}

TEST(CutRandom, RangeBelowItsMinimumUsesTheMidpoint) {
  ZOV::ST_RANDOM a, b;
  a.Seed(7.0f);
  b.Seed(7.0f);
  // A cell wider than the play area: min 716, max 308.
  EXPECT_EQ(GAME::RandomInRange(a, 716, 308), 512);
  b.GetRandomI(0, 0, 0);
  EXPECT_EQ(a.State(), b.State()) << "the generator steps once either way";
  EXPECT_EQ(GAME::RandomInRange(a, 5, 5), 5);
  for (int i = 0; i < 50; ++i) {
    const int v = GAME::RandomInRange(a, 100, 110);
    EXPECT_TRUE(v >= 100 && v <= 110) << v;
  }
}

TEST(CutRandom, FirstDrawsAfterSeedZero) {
  ZOV::ST_RANDOM r;
  r.Seed(0.0f);
  EXPECT_EQ(r.GetRandomI(0, 3, 0), 3);
  EXPECT_EQ(ZOV::ST_RANDOM::Rand(0), 0);
  EXPECT_EQ(ZOV::ST_RANDOM::Rand(1), 16838);
}

}  // namespace
