#include "GAME/board/join_score.h"

#include <algorithm>
#include <limits>

namespace GAME {

double JoinFactor(double sinceLastJoin) {
  return sinceLastJoin > 0.0 ? 2.0 / std::max(sinceLastJoin, kShortestJoinTime) : 2.0;
}

int JoinPoints(int joinSize, double k) { return int(double(joinSize) * k + 12.0); }

JoinSound JoinSoundFor(double sinceLastJoin, int sizeA, int sizeB) {
  if (!(sinceLastJoin > 0.0)) return JoinSound::kNone;
  if (sizeA + sizeB >= kBigJoin) return JoinSound::kHigh;
  if (sizeA >= 2 && sizeB >= 2) return JoinSound::kMid;
  return JoinSound::kLow;
}

CounterBounds CounterBoundsFor(int pieces) {
  // In floating point: a product for a grid no game has may pass any int.
  const double n = double(std::max(pieces, 1));
  const double joins = n - 1.0;
  auto fit = [](double v) { return v >= double(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max() : int(v); };
  CounterBounds b;
  b.joins = fit(joins);
  b.speedPoints = fit(joins * kLargestJoinFactor);
  b.score = fit(joins * (n * kLargestJoinFactor + 12.0) + n);
  b.hints = kMostHints;
  return b;
}

}  // namespace GAME
