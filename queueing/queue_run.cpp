#include "queueing/queue_run.h"

#include <algorithm>

#include "probability/stable_log.h"

namespace switchsim {
namespace {
inline constexpr int kBatches = 50;
}  // namespace

QueueRun::QueueRun(const QueueSetting& setting)
    : setting_(setting), random_(setting.seed), service_ms_(ServiceMs(setting)),
      mean_gap_ms_(ServiceMs(setting) / setting.intensity),
      wait_(static_cast<std::uint64_t>(setting.packets), kBatches) {}

void QueueRun::RunNext(std::int64_t max_packets) {
  const std::int64_t until = std::min(setting_.packets, arrived_ + std::max<std::int64_t>(max_packets, 0));
  while (arrived_ < until) {
    // Exponential gaps: the arrivals of a Poisson stream.
    const double v = 1.0 - random_.NextDouble();  // in (0, 1]
    clock_ms_ += -StableLog(v) * mean_gap_ms_;
    while (!departures_.empty() && departures_.front() <= clock_ms_) departures_.pop_front();
    const int in_system = static_cast<int>(departures_.size());
    const int waiting = std::max(in_system - 1, 0);
    longest_ = std::max(longest_, waiting);
    QueuedPacket packet{clock_ms_, clock_ms_, false};
    if (setting_.buffer && in_system > *setting_.buffer) {
      packet.lost = true;
      ++lost_;
    } else {
      packet.start_ms = departures_.empty() ? clock_ms_ : std::max(clock_ms_, departures_.back());
      departures_.push_back(packet.start_ms + service_ms_);
      wait_.Add(packet.start_ms - clock_ms_);
    }
    if (shown_.size() < kShownPackets) shown_.push_back(packet);
    ++arrived_;
  }
}

}  // namespace switchsim
