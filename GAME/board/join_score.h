// The rules of a join's score, as plain functions of their numbers: the
// time factor, the points shown at the join, the join sound, and the
// largest values the level counters can reach on a grid (a saved game's
// counters are held within them). The board's CalculateRegistr
// (board_score.cpp) applies them to its counters; nothing here plays a
// sound or touches the board.
#pragma once

namespace GAME {

// The time factor k of a join made `sinceLastJoin` seconds after the
// previous one (or the start): 2 when no time has passed, else 2 / t with t
// taken as at least kShortestJoinTime, so k is at most 200.
inline constexpr double kShortestJoinTime = 0.01;
inline constexpr double kLargestJoinFactor = 2.0 / kShortestJoinTime;
double JoinFactor(double sinceLastJoin);

// The points of a join of `joinSize` pieces with factor k: joinSize x k +
// 12, truncated.
int JoinPoints(int joinSize, double k);

// Which sound a join plays: none when no time has passed since the last
// join (a second join of the same drop), the high one for a join making
// kBigJoin pieces or more, the middle one when both sides hold at least two
// pieces, else the low one.
enum class JoinSound { kNone, kLow, kMid, kHigh };
inline constexpr int kBigJoin = 11;
JoinSound JoinSoundFor(double sinceLastJoin, int sizeA, int sizeB);

// What the counters of a puzzle of `pieces` pieces can reach: joins (and
// fast joins) pieces - 1; speed points at most kLargestJoinFactor a join;
// the score every join's largest points plus the end bonus (pieces); hints
// a million (one a second for eleven days). Each fits an int.
struct CounterBounds {
  int joins = 0;
  int speedPoints = 0;
  int score = 0;
  int hints = 0;
};
inline constexpr int kMostHints = 1000000;
CounterBounds CounterBoundsFor(int pieces);

}  // namespace GAME
