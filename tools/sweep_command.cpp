#include "tools/sweep_command.h"

#include "explore/sweep_tables.h"
#include "tools/trace_run.h"

namespace switchsim::trace {

namespace {

// Unlike a single run, a sweep without --seed is the same every time.
inline constexpr std::uint64_t kFirstSweepSeed = 1;

}  // namespace

Sweep SweepOf(const Options& options) {
  const std::uint64_t first = options.Seed().value_or(kFirstSweepSeed);
  return Sweep(*options.sweep, ParametersOf(options, options.technique, first), first, options.seeds);
}

std::string SweepOutput(const Options& options, const Sweep& sweep) {
  return options.csv ? SweepCsv(sweep) : SweepTableText(sweep);
}

}  // namespace switchsim::trace
