#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/number_texts.h"
#include "records/run_log.h"

// The results of the runs as the results table, its text and CSV copies and
// the notices show them, and the driver's command that runs one again.
namespace switchsim {

/// A run whose data reached Receive, as the results table shows it.
struct RunResult {
  RunParameters parameters;       // the box texts the run started with, and its seed
  std::int32_t simulated_ms = 0;  // ms: the clock of the last marker the run placed
  double formula_ms = 0.0;        // ms: the same model in continuous time
  bool changed = false;           // a box's change reached its handler during the run
};

/// The headings of the results table's columns.
inline constexpr std::size_t kResultColumns = 11;
inline constexpr std::array<std::string_view, kResultColumns> kResultHeadings = {
    "Technique",  "Size",          "Rates", "Delays", "Packet", "Header", "Simulated ms",
    "Formula ms", "Difference ms", "Seed",  "Changed during run"};

/// What the results table shows of a run, column by column: technique, size,
/// rates ("1 / 0.5 / 1"), delays, packet and header size in blocks,
/// simulated ms, formula ms, difference ms, seed, and "yes" or "no" for a
/// change during the run.
std::array<std::string, kResultColumns> ResultCells(const RunResult& result);

/// The results as a text table with a heading, newest first, one run a line.
std::string ResultsText(const std::vector<RunResult>& results);
/// The results as CSV (RFC 4180) with a heading line, newest first.
std::string ResultsCsv(const std::vector<RunResult>& results);
/// The switchsim-trace command line that runs `parameters` again, with each
/// value quoted for a POSIX shell where it needs it.
std::string TraceCommand(const RunParameters& parameters);
/// "Circuit: 6375 ms, formula 6050 ms".
std::string CompletionNotice(const RunResult& result);

}  // namespace switchsim
