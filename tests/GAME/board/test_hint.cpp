// The hint's choice of a pair, without a board: which pieces qualify, the
// partner highest in the z-order, the previous pair's rows and columns
// avoided, the first cell kept by a try that finds no partner, and the
// fixed scan that finds a pair whenever one exists.
#include "GAME/board/hint.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace {

using GAME::ChooseHint;
using GAME::HINT_CHOICE;
using GAME::HINT_PIECE;

// A rows x cols grid of loose pieces in grid order (z-index = grid index).
std::vector<HINT_PIECE> Grid(int rows, int cols) {
  std::vector<HINT_PIECE> out;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) out.push_back({r, c, 0, r == 0 || c == 0 || r == rows - 1 || c == cols - 1, false});
  return out;
}

// Draws the given numbers in turn (the last one again once they run out).
struct Draws {
  std::deque<int> next;
  int operator()(int lo, int hi) {
    int v = next.empty() ? lo : next.front();
    if (next.size() > 1) next.pop_front();
    EXPECT_GE(v, lo);
    EXPECT_LE(v, hi);
    return v;
  }
};

TEST(Hint, TheFirstQualifyingTryGivesItsNeighbourHighestInTheZOrder) {
  // 3 x 3: the try draws z 4, the centre; its neighbours are z 1, 7, 3, 5;
  // the highest in the z-order (lowest index) is 1.
  auto z = Grid(3, 3);
  JST::iPOINT first(-1, -1);
  Draws d{{4}};
  const HINT_CHOICE c = ChooseHint(z, 3, 3, false, &first, JST::iPOINT(-1, -1), std::ref(d));
  EXPECT_EQ(c.first, 4);
  EXPECT_EQ(c.second, 1);
  EXPECT_EQ(first.x, 1);
  EXPECT_EQ(first.y, 1);
}

TEST(Hint, WhatMayBeHinted) {
  struct Case {
    const char* name;
    bool edgesOnly;
    std::vector<int> hidden, grouped;  // grid indices; grouped ones share group 1
    int draw;
    HINT_CHOICE want;
  };
  const Case cases[] = {
      // The centre, drawn, is skipped with edges only; the draw repeats,
      // so the fixed scan gives (0,0) with its neighbour highest in the
      // z-order, (0,1).
      {"edges only skips inner pieces", true, {}, {}, 4, {0, 1}},
      // (0,1) hidden: the centre's partner is the next highest, (1,0).
      {"the closed pocket hides", false, {1}, {}, 4, {4, 3}},
      // The centre's group holds (0,1) and (1,0): its partner is (1,2).
      {"the same group is no partner", false, {}, {4, 1, 3}, 4, {4, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto z = Grid(3, 3);
    for (int k : c.hidden) z[size_t(k)].hidden = true;
    for (int k : c.grouped) z[size_t(k)].group = 1;
    JST::iPOINT first(-1, -1);
    Draws d{{c.draw}};
    const HINT_CHOICE got = ChooseHint(z, 3, 3, c.edgesOnly, &first, JST::iPOINT(-1, -1), std::ref(d));
    EXPECT_EQ(got.first, c.want.first);
    EXPECT_EQ(got.second, c.want.second);
  }
}

TEST(Hint, ATryInThePreviousPairsRowsOrColumnsIsSkippedAndAFailedTryKeepsItsCell) {
  // 3 x 3, (0,0), (0,1) and (1,0) one group, previous pair (1,1) and
  // (1,2). Draws: (1,0) in row 1: skipped; (0,2) in column 2: skipped;
  // (0,0): taken as the first cell, but both its neighbours are in its
  // group; (2,0), drawn from then on, lies in the first cell's column now:
  // skipped. The scan decides.
  auto z = Grid(3, 3);
  for (int k : {0, 1, 3}) z[size_t(k)].group = 7;
  JST::iPOINT first(1, 1);
  Draws d{{3, 2, 0, 6}};
  const HINT_CHOICE c = ChooseHint(z, 3, 3, false, &first, JST::iPOINT(1, 2), std::ref(d));
  EXPECT_EQ(first.x, 0) << "the failed try's cell is kept";
  EXPECT_EQ(first.y, 0);
  // The scan in grid order: (0,0) has no partner; (0,1) has the loose
  // (1,1) and (0,2), and (0,2) lies higher.
  EXPECT_EQ(c.first, 1);
  EXPECT_EQ(c.second, 2);
}

TEST(Hint, OnePartLeftGivesNothingAndTheScanFallsBackOnHiddenPieces) {
  auto z = Grid(2, 2);
  for (HINT_PIECE& p : z) p.group = 3;
  JST::iPOINT first(-1, -1);
  Draws d{{0}};
  EXPECT_EQ(ChooseHint(z, 2, 2, false, &first, JST::iPOINT(-1, -1), std::ref(d)).first, -1);
  // Everything but (0,0) is one part and (0,0) is in the closed pocket: the
  // visible scan finds nothing, the full one the pair.
  z[0].group = 0;
  z[0].hidden = true;
  const HINT_CHOICE c = ChooseHint(z, 2, 2, false, &first, JST::iPOINT(-1, -1), std::ref(d));
  EXPECT_GE(c.first, 0);
  EXPECT_TRUE(c.first == 0 || c.second == 0);
}

}  // namespace
