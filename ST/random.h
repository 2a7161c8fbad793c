// The game's pseudo-random generator: a linear congruential step on one
// unsigned 32-bit state, so sequences are exactly repeatable from a seed.
#pragma once

#include <cstdint>

namespace ZOV {

class ST_RANDOM {
 public:
  // An integer in [min, max]; a non-zero seed restarts the sequence from it.
  // Reversed bounds are swapped.
  int GetRandomI(int min, int max, unsigned int seed);
  // A float from min to max inclusive.
  float GetRandomF(float min, float max, unsigned int seed);
  void Seed(float v);
  // Stateless hash of n into 0..0x7FFF.
  static int Rand(int n);
  static bool RandB(int n);

  uint32_t State() const { return state_; }

 private:
  void Step(unsigned int seed);
  uint32_t state_ = 0;
};

}  // namespace ZOV
