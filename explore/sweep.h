#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "explore/delivery_run.h"
#include "records/run_log.h"
#include "explore/sweep_range.h"
#include "simulation/techniques.h"

namespace switchsim {


/// One simulated run of a sweep.
struct SweepRun {
  std::size_t x_index = 0;  // into SweepRange::values
  int technique = 0;        // 0 Message, 1 Circuit, 2 Packet
  std::uint64_t seed = 0;
  std::optional<std::int32_t> simulated_ms;  // empty: not all delivered within the run
};

/// Completion time against one parameter: for each x of the range, each
/// technique and each seed, the simulated completion, and for each x and
/// technique the formula of continuous time. Every other parameter is
/// `base`'s. The runs are made a few at a time (RunNext), so that a page
/// can make them between frames; the formulas are known at once.
class Sweep {
 public:
  /// Seeds `first_seed` to `first_seed + seed_count - 1`; `seed_count` is at least 1.
  Sweep(SweepRange spec, RunParameters base, std::uint64_t first_seed, int seed_count);

  /// Makes at most `max_runs` more runs, in the order x, technique, seed.
  void RunNext(std::size_t max_runs);
  bool Done() const { return runs_.size() == RunCount(); }
  std::size_t RunCount() const { return spec_.values.size() * kTechniqueCount * seed_count_; }

  const SweepRange& spec() const { return spec_; }
  const RunParameters& base() const { return base_; }
  std::uint64_t first_seed() const { return first_seed_; }
  int seed_count() const { return seed_count_; }
  /// The runs made so far.
  const std::vector<SweepRun>& runs() const { return runs_; }
  /// The formula's value in ms, by technique and x index.
  double FormulaMs(int technique, std::size_t x_index) const { return formulas_.at(technique).at(x_index); }
  /// What the run of `run` is started with in the form or the driver.
  RunParameters ParametersOf(const SweepRun& run) const;

 private:
  SweepRange spec_;
  RunParameters base_;
  std::uint64_t first_seed_;
  int seed_count_;
  std::array<std::vector<double>, kTechniqueCount> formulas_;
  std::vector<SweepRun> runs_;
  std::unique_ptr<DeliveryRun> runner_;  // on the heap, so that a sweep can be moved
};

/// The technique's name: "Message", "Circuit" or "Packet", as the technique
/// box and the sweep's CSV write it.
std::string_view SweepTechniqueName(int technique);
/// The technique's name as a person reads it, in the language in use.
std::string SweepTechniqueLabel(int technique);

}  // namespace switchsim
