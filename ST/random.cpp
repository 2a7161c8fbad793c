#include "ST/random.h"

#include <utility>

namespace ZOV {

void ST_RANDOM::Step(unsigned int seed) {
  state_ = seed ? uint32_t(seed) : state_ + 1u;
  state_ = state_ * 214013u + 2531011u;
}

int ST_RANDOM::GetRandomI(int min, int max, unsigned int seed) {
  if (max < min) std::swap(min, max);
  Step(seed);
  const uint32_t span = uint32_t(int64_t(max) - int64_t(min) + 1);
  const uint32_t mixed = (state_ >> 15) ^ state_;
  // A span of 2^32 wraps to 0: the whole range, so the mix itself.
  const uint32_t r = span ? mixed % span : mixed;
  return int(int64_t(min) + int64_t(r));
}

float ST_RANDOM::GetRandomF(float min, float max, unsigned int seed) {
  Step(seed);
  return float(state_ >> 16) * 1.5259022e-5f * (max - min) + min;
}

void ST_RANDOM::Seed(float v) { state_ = uint32_t(uint64_t(int64_t(v))); }

int ST_RANDOM::Rand(int n) {
  const int32_t t = int32_t(uint32_t(n) * 1103515245u + 12345u);
  return (t / 65536) & 0x7FFF;
}

bool ST_RANDOM::RandB(int n) { return (Rand(n) & 1) != 0; }

}  // namespace ZOV
