#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "queueing/queue_run.h"
#include "sharing/share_run.h"

namespace switchsim {

/// What a lab's curve shows: the congestion of a shared link against its
/// users, or the mean wait at a router's queue against the traffic intensity.
enum class LabCurve { Congestion, QueueWait };

/// The most slots or packets a lab's sweep makes in all its runs, so that no
/// sweep keeps a page or a driver busy for long.
inline constexpr std::int64_t kMostLabSweepSteps = 100'000'000;

/// A lab's sweep: its curve and the values along x, in increasing order.
struct LabSweepRange {
  LabCurve curve = LabCurve::Congestion;
  std::vector<double> values;  // users (whole, 1 to 1000) or intensities (0.05 to 0.99)
};

/// Whether `text` ("users=10:60:5", "intensity=0.1:0.9:0.1") names a lab's sweep rather than the form's.
bool NamesLabSweep(const std::string& text);
/// Reads "users=FROM:TO:STEP" or "intensity=FROM:TO:STEP"; or one line
/// naming the part refused and what is allowed.
std::variant<LabSweepRange, std::string> ReadLabSweepRange(const std::string& text);
/// "users" or "intensity".
std::string LabSweepName(const LabSweepRange& range);

/// One run of a lab's sweep: its x, its seed, the simulated figure (the share
/// of slots congested, or the mean wait in ms) and its 99.9 % half-width.
struct LabSweepRun {
  std::size_t x_index = 0;
  std::uint64_t seed = 0;
  double simulated = 0.0;
  double half_width = 0.0;
};

/// A lab's figure against one value: for each x and seed a run of the lab,
/// with every other value the base setting's, and at each x the formula
/// (the binomial sum, or M/D/1's wait). Runs are made a slice at a time
/// (RunNext), in the order x, seed, each run exactly as the lab runs alone
/// with that value and seed.
class LabSweep {
 public:
  /// Seeds `first_seed` to `first_seed + seed_count - 1`; LabSweepRefusal
  /// must take the arguments.
  LabSweep(LabSweepRange range, ShareSetting share, QueueSetting queue, std::uint64_t first_seed, int seed_count);
  ~LabSweep();
  LabSweep(LabSweep&&) noexcept;
  LabSweep& operator=(LabSweep&&) noexcept;

  /// Makes at most `max_steps` more slots or packets.
  void RunNext(std::int64_t max_steps);
  bool Done() const { return runs_.size() == RunCount(); }
  std::size_t RunCount() const { return range_.values.size() * static_cast<std::size_t>(seed_count_); }
  /// The share of all the slots or packets made, 0 to 1.
  double Progress() const;

  const LabSweepRange& range() const { return range_; }
  const ShareSetting& share() const { return share_; }
  const QueueSetting& queue() const { return queue_; }
  std::uint64_t first_seed() const { return first_seed_; }
  int seed_count() const { return seed_count_; }
  const std::vector<LabSweepRun>& runs() const { return runs_; }
  double Formula(std::size_t x_index) const { return formulas_.at(x_index); }
  /// The shared link's setting, or the queue's, at x `x_index` with `seed`.
  ShareSetting ShareAt(std::size_t x_index, std::uint64_t seed) const;
  QueueSetting QueueAt(std::size_t x_index, std::uint64_t seed) const;

 private:
  std::int64_t StepsOfRun() const;
  /// The x and seed of the next run, in the order x, seed.
  LabSweepRun NextPlace() const;
  void BeginRun();

  LabSweepRange range_;
  ShareSetting share_;
  QueueSetting queue_;
  std::uint64_t first_seed_;
  int seed_count_;
  std::vector<double> formulas_;
  std::vector<LabSweepRun> runs_;
  std::unique_ptr<ShareRun> share_run_;
  std::unique_ptr<QueueRun> queue_run_;
  std::int64_t steps_done_ = 0;
};

/// Why the sweep cannot run, naming the value: a setting at some x that the
/// lab refuses, seeds outside 1 to 100, or more than kMostLabSweepSteps in
/// all; nothing when it can.
std::optional<std::string> LabSweepRefusal(const LabSweepRange& range, const ShareSetting& share,
                                           const QueueSetting& queue, int seed_count);

}  // namespace switchsim
