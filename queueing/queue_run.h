#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "probability/batch_means.h"
#include "queueing/queue_setting.h"
#include "simulation/random_source.h"

namespace switchsim {

/// One packet as a picture shows it: when it arrived, and when it started to
/// be sent (the same for no wait), or that it was lost; in ms from the start.
struct QueuedPacket {
  double arrival_ms = 0.0;
  double start_ms = 0.0;
  bool lost = false;
};

/// The queue at a router's output link, packet by packet: arrivals a random
/// (exponential) time apart, each sent in turn for the service time, waiting
/// while the link is busy, lost when the buffer is full. Made a slice at a
/// time (RunNext), so that a page can make it between frames; a seed gives
/// the same run in every build. The setting must be one QueueRefusal takes.
class QueueRun {
 public:
  explicit QueueRun(const QueueSetting& setting);

  /// Runs at most `max_packets` more arrivals.
  void RunNext(std::int64_t max_packets);
  bool Done() const { return arrived_ == setting_.packets; }

  const QueueSetting& setting() const { return setting_; }
  std::int64_t Arrived() const { return arrived_; }
  std::int64_t Lost() const { return lost_; }
  /// The mean wait in the queue of the packets sent, in ms, with its 99.9 % interval by batch means.
  const BatchMeans& Wait() const { return wait_; }
  /// The longest queue seen by an arrival, in packets waiting.
  int LongestQueue() const { return longest_; }

  /// The first packets, for a picture.
  static constexpr std::size_t kShownPackets = 400;
  const std::vector<QueuedPacket>& Shown() const { return shown_; }

 private:
  QueueSetting setting_;
  Mt64Random random_;
  double service_ms_;
  double mean_gap_ms_;
  double clock_ms_ = 0.0;                // the last arrival
  std::deque<double> departures_;        // of the packets in the system, in order
  std::int64_t arrived_ = 0;
  std::int64_t lost_ = 0;
  int longest_ = 0;
  BatchMeans wait_;
  std::vector<QueuedPacket> shown_;
};

}  // namespace switchsim
