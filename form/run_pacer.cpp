#include "form/run_pacer.h"

#include <algorithm>
#include <cmath>

#include "form/speed.h"

namespace switchsim {

double RunPacer::Period() const { return WallPeriodMs(speed_); }

void RunPacer::Start(double now_ms) {
  anchor_ms_ = now_ms;
  ticks_ = 0;
}

void RunPacer::SetSpeed(double speed, double now_ms) {
  const double last_tick_ms = anchor_ms_ + static_cast<double>(ticks_) * Period();
  speed_ = speed;
  // At most one tick is due at once after a change, whatever the two speeds.
  anchor_ms_ = std::max(last_tick_ms, now_ms - Period());
  ticks_ = 0;
}

long RunPacer::DueTicks(double now_ms) const {
  const auto elapsed = static_cast<long>(std::floor((now_ms - anchor_ms_) / Period()));
  return std::max(0L, elapsed - ticks_);
}

double RunPacer::NextDueMs() const { return anchor_ms_ + static_cast<double>(ticks_ + 1) * Period(); }

}  // namespace switchsim
