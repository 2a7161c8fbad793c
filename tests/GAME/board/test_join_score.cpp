// A join's score rules without a board: the time factor, the points, the
// sound choice, and the counters' bounds for a grid.
#include "GAME/board/join_score.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using GAME::JoinSound;

TEST(JoinScore, TheTimeFactorAndThePoints) {
  struct Case {
    double since;
    int joinSize;
    int points;
  };
  const Case cases[] = {
      {4.0, 2, 13},      // 2 x 0.5 + 12
      {0.5, 4, 28},      // 4 x 4 + 12
      {0.0, 2, 16},      // no time: k = 2
      {1e-30, 3, 612},   // at most 200
      {0.01, 3, 612},
      {100.0, 10, 12},   // 10 x 0.02 + 12, truncated
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.since);
    EXPECT_EQ(GAME::JoinPoints(c.joinSize, GAME::JoinFactor(c.since)), c.points);
  }
  EXPECT_DOUBLE_EQ(GAME::JoinFactor(0.0), 2.0);
  EXPECT_DOUBLE_EQ(GAME::JoinFactor(-1.0), 2.0);
  EXPECT_DOUBLE_EQ(GAME::JoinFactor(1e-9), 200.0);
}

TEST(JoinScore, TheSoundOfAJoin) {
  struct Case {
    double since;
    int a, b;
    JoinSound want;
  };
  const Case cases[] = {
      {1.0, 1, 1, JoinSound::kLow},  {1.0, 1, 9, JoinSound::kLow},   {1.0, 3, 4, JoinSound::kMid},
      {1.0, 2, 2, JoinSound::kMid},  {1.0, 1, 10, JoinSound::kHigh}, {1.0, 6, 5, JoinSound::kHigh},
      {0.0, 6, 5, JoinSound::kNone}, {0.0, 1, 1, JoinSound::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(GAME::JoinSoundFor(c.since, c.a, c.b), c.want) << c.a << "+" << c.b;
}

TEST(JoinScore, TheCountersBoundsForAGrid) {
  const GAME::CounterBounds b = GAME::CounterBoundsFor(9);
  EXPECT_EQ(b.joins, 8);
  EXPECT_EQ(b.speedPoints, 1600);
  EXPECT_EQ(b.score, 8 * (9 * 200 + 12) + 9);
  EXPECT_EQ(b.hints, GAME::kMostHints);
  // The largest grid (15 along the short side of a very long picture)
  // still fits an int, and so does a grid no game has.
  EXPECT_GT(GAME::CounterBoundsFor(15 * 60).score, 0);
  EXPECT_EQ(GAME::CounterBoundsFor(INT_MAX).score, INT_MAX);
  EXPECT_EQ(GAME::CounterBoundsFor(0).joins, 0);
}

}  // namespace
