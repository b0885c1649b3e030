#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace switchsim {

/// The least and the most traffic intensity a queue is run at, and the most packets a run takes.
inline constexpr double kLeastIntensity = 0.05;
inline constexpr double kMostIntensity = 0.99;
inline constexpr std::int64_t kMostQueuePackets = 10'000'000;
inline constexpr int kMostBuffer = 100'000;

/// Packets of one size arriving at a router's output link at random
/// (Poisson arrivals) with traffic intensity ρ = L·a / R: the link sends
/// one in S = `blocks` · 100 / `rate` ms (the form's units), and they arrive
/// ρ / S a ms on average. A `buffer` of K packets waits while one is sent;
/// none: as many as come.
struct QueueSetting {
  double intensity = 0.8;
  std::optional<int> buffer;
  std::int64_t packets = 100'000;
  double rate = 1.0;
  int blocks = 1;
  std::uint64_t seed = 1;
};

/// The service time S, in ms.
double ServiceMs(const QueueSetting& setting);

/// Why `setting` cannot be run, naming the value: an intensity outside
/// 0.05 to 0.99 (1 and above grows the queue for ever), a buffer below 0 or
/// above 100000, packets outside 1 to 10^7, a rate not above 0, blocks
/// outside 1 to 50; nothing when it can.
std::optional<std::string> QueueRefusal(const QueueSetting& setting);

/// The mean wait in the queue of these arrivals and one service time
/// (M/D/1, unlimited buffer): ρ·S / (2·(1 − ρ)), in ms.
double MeanWaitFormulaMs(const QueueSetting& setting);

}  // namespace switchsim
