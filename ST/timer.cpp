#include "ST/timer.h"

#include "platform/sys.h"

namespace ZOV {

ST_TIMER::ST_TIMER(float limit) : limit_(limit) { Init(); }

int ST_TIMER::Init() {
  start_ = now_ = last_ = plat::TimeMs();
  delta_ = 0.0f;
  factor_ = 0.0f;
  return 0;
}

int ST_TIMER::Update() {
  now_ = plat::TimeMs();
  // Unsigned difference: a wrap of the millisecond clock still gives the
  // true interval.
  delta_ = float(double(uint32_t(now_ - last_)) / 1000.0);
  last_ = now_;
  if (limit_ != 0.0f && delta_ > limit_) {
    factor_ = limit_ / delta_;
    delta_ = limit_;
  }
  if (delta_ < 0.0f) delta_ = 0.0f;
  return 0;
}

}  // namespace ZOV
