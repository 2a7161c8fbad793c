// The sort's targets without a board: the deal round the four quarters,
// what is left out, the draws in order, and the corners.
#include "GAME/board/sort.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using GAME::SORT_PIECE;
using GAME::SORT_TARGET;
using GAME::SortTargets;

// Play area (50, 50) - (974, 718) about (512, 384), cells of 100.
std::vector<SORT_TARGET> Sort(const std::vector<SORT_PIECE>& grid, int rows, int cols, std::vector<float>* draws) {
  return SortTargets(grid, rows, cols, JST::iPOINT(50, 50), JST::iPOINT(974, 718), JST::iPOINT(512, 384), 100,
                     [draws](float lo, float hi) {
                       draws->push_back(lo);
                       draws->push_back(hi);
                       return lo;  // the quarter's low corner
                     });
}

TEST(Sort, TenPiecesAreDealtRoundTheQuartersInThreeSteps) {
  // A 2 x 5 grid, every piece loose and showing: q = 10 / 4 + 1 = 3; step k
  // deals k, k + 3, k + 6, k + 9 (9 only at k = 0; 10 and 11 do not exist).
  std::vector<SORT_PIECE> grid(10, SORT_PIECE{true, false, true});
  std::vector<float> draws;
  const std::vector<SORT_TARGET> t = Sort(grid, 2, 5, &draws);
  std::vector<int> order;
  for (const SORT_TARGET& s : t) order.push_back(s.index);
  // The deal, then the four corners (0, 4, 5, 9) again.
  EXPECT_EQ(order, (std::vector<int>{0, 3, 6, 9, 1, 4, 7, 2, 5, 8, 0, 4, 5, 9}));
  // Quarters' low corners: top-left (150, 150), top-right (612, 150),
  // bottom-left (150, 484), bottom-right (612, 484).
  EXPECT_EQ(t[0].at.x, 150);
  EXPECT_EQ(t[0].at.y, 150);
  EXPECT_EQ(t[1].at.x, 612);
  EXPECT_EQ(t[1].at.y, 150);
  EXPECT_EQ(t[2].at.x, 150);
  EXPECT_EQ(t[2].at.y, 484);
  EXPECT_EQ(t[3].at.x, 612);
  EXPECT_EQ(t[3].at.y, 484);
  // Each dealt piece draws x (lo, hi) then y (lo, hi): ten pieces, four
  // numbers each; the corners draw nothing.
  ASSERT_EQ(draws.size(), 40u);
  EXPECT_EQ((std::vector<float>(draws.begin(), draws.begin() + 4)), (std::vector<float>{150, 412, 150, 284}));
  // The corners, a cell inside the play area's.
  EXPECT_EQ(t[10].at.x, 150);
  EXPECT_EQ(t[10].at.y, 150);
  EXPECT_EQ(t[11].at.x, 874);
  EXPECT_EQ(t[11].at.y, 150);
  EXPECT_EQ(t[12].at.x, 150);
  EXPECT_EQ(t[12].at.y, 618);
  EXPECT_EQ(t[13].at.x, 874);
  EXPECT_EQ(t[13].at.y, 618);
}

TEST(Sort, PocketedAndFixedPiecesStayWhereTheyAre) {
  // 2 x 2: piece 1 in the pocket (left out of the list), piece 2 in a group
  // (in the list, not moved). L = {0, 2, 3}, q = 1: 0 top-left, 2 top-right
  // (fixed: skipped), 3 bottom-left.
  std::vector<SORT_PIECE> grid = {{true, false, true}, {true, true, false}, {true, false, false}, {true, false, true}};
  std::vector<float> draws;
  const std::vector<SORT_TARGET> t = Sort(grid, 2, 2, &draws);
  std::vector<int> order;
  for (const SORT_TARGET& s : t) order.push_back(s.index);
  EXPECT_EQ(order, (std::vector<int>{0, 3, 0, 3}));
  EXPECT_EQ(t[1].at.y, 484) << "the third of the list goes to the bottom-left quarter";
  EXPECT_EQ(draws.size(), 8u);
}

TEST(Sort, NoGridNoCorners) {
  std::vector<float> draws;
  EXPECT_TRUE(Sort({}, 0, 0, &draws).empty());
}

}  // namespace
