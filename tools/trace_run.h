#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "form/form_logic.h"
#include "tools/options.h"
#include "records/run_log.h"
#include "records/timing_table.h"

namespace switchsim::trace {

/// What one run of a technique came to.
struct RunOutcome {
  std::string technique;
  /// Clock of the last marker placed, in ms; empty when none was.
  std::optional<std::int32_t> completed_ms;
  /// Exact value of the same model without the tick, in ms.
  double continuous_ms = 0.0;
};

/// The techniques the options ask to run: the one chosen, or all three in
/// the technique box's order with --compare.
std::vector<std::string> TechniquesOf(const Options& options);

/// The parameters of a run of `technique` under `options`.
RunParameters ParametersOf(const Options& options, std::string technique, std::uint64_t seed);

/// Runs the techniques the options ask for (one, or all three with
/// --compare) on a headless view, seeding each run with `seed`, and appends
/// the event log (JSON Lines or a table), or with --timing the timing table,
/// to `out`.
std::vector<RunOutcome> RunTraces(const Options& options, std::uint64_t seed, std::string& out);

/// What --timing prints of a run: its parameters, the timing table and the
/// closing line, or with --csv the table alone as CSV.
std::string TimingOutput(const Options& options, const RunParameters& parameters,
                         const std::vector<Crossing>& rows, const RunOutcome& outcome);

/// The --compare table of the three outcomes.
std::string CompareTable(const std::vector<RunOutcome>& outcomes);

/// The parameters of the runs in words: "size 300, rates 1.0 / 0.5 / 1.0, delays 50 / 50 / 50, seed 1".
std::string ParameterLine(const Options& options, std::uint64_t seed);

/// The closing line of a run, such as "Message: the data reached Receive after 6900 ms".
std::string ClosingLine(const RunOutcome& outcome);

}  // namespace switchsim::trace
