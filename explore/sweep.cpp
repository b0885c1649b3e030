#include "explore/sweep.h"

#include <algorithm>
#include <array>
#include <utility>

#include "formulas/continuous_time.h"
#include "form/lists.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// The techniques' names for the catalog, in the technique box's order.
inline constexpr std::array<std::string_view, kTechniqueCount> kTechniqueLabels = {
    Mark("Message"), Mark("Circuit"), Mark("Packet")};

}  // namespace

std::string_view SweepTechniqueName(int technique) { return kTechniques.at(static_cast<std::size_t>(technique)).name; }

std::string SweepTechniqueLabel(int technique) { return Tr(kTechniqueLabels.at(static_cast<std::size_t>(technique))); }

Sweep::Sweep(SweepRange spec, RunParameters base, std::uint64_t first_seed, int seed_count)
    : spec_(std::move(spec)), base_(std::move(base)), first_seed_(first_seed),
      seed_count_(std::max(seed_count, 1)), runner_(std::make_unique<DeliveryRun>()) {
  for (int t = 0; t < kTechniqueCount; ++t) {
    base_.technique = SweepTechniqueName(t);
    for (const double x : spec_.values) {
      formulas_[t].push_back(ContinuousCompletionMs(base_.technique, ModelOf(ParametersAt(spec_, base_, x))));
    }
  }
  runs_.reserve(RunCount());
}

void Sweep::RunNext(std::size_t max_runs) {
  const std::size_t per_x = static_cast<std::size_t>(kTechniqueCount) * seed_count_;
  for (std::size_t made = 0; made < max_runs && !Done(); ++made) {
    const std::size_t i = runs_.size();
    SweepRun run;
    run.x_index = i / per_x;
    run.technique = static_cast<int>(i % per_x / seed_count_);
    run.seed = first_seed_ + i % seed_count_;
    run.simulated_ms = runner_->CompletionMs(ParametersOf(run));
    runs_.push_back(run);
  }
}

RunParameters Sweep::ParametersOf(const SweepRun& run) const {
  RunParameters parameters = ParametersAt(spec_, base_, spec_.values.at(run.x_index));
  parameters.technique = SweepTechniqueName(run.technique);
  parameters.seed = run.seed;
  return parameters;
}

}  // namespace switchsim
