// The frame timer on the system millisecond clock: the time between two
// updates, clamped to a limit so a stall never makes one giant step.
#pragma once

#include <cstdint>

namespace ZOV {

class ST_TIMER {
 public:
  explicit ST_TIMER(float limit);
  int Init();
  int Update();
  float GetDelta() const { return delta_; }
  // Overrides the delta until the next Update (the game object reports the
  // time since the last drawn frame while a frame is drawn).
  void SetDelta(float d) { delta_ = d; }
  uint32_t GetCurTime() const { return now_; }
  // limit / raw delta, from the last update the limit applied to.
  float GetFactor() const { return factor_; }
  float GetLimit() const { return limit_; }

 private:
  uint32_t start_ = 0;
  float delta_ = 0.0f;
  uint32_t now_ = 0;
  uint32_t last_ = 0;
  float limit_ = 0.0f;
  float factor_ = 0.0f;
};

}  // namespace ZOV
