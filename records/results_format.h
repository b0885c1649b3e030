#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/number_texts.h"
#include "text/translation.h"
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

/// The headings of the results table's columns, in English, marked for the
/// catalog: a front end shows ResultHeading().
inline constexpr std::size_t kResultColumns = 11;
inline constexpr std::array<std::string_view, kResultColumns> kResultHeadings = {
    Mark("Technique"),  Mark("Size"),          Mark("Rates"), Mark("Delays"), Mark("Packet"), Mark("Header"),
    Mark("Simulated ms"), Mark("Formula ms"), Mark("Difference ms"), Mark("Seed"), Mark("Changed during run")};
/// The headings of the text table's columns (ResultsText), in English.
inline constexpr std::array<std::string_view, kResultColumns> kResultTextHeadings = {
    Mark("technique"),  Mark("size"),          Mark("rates"), Mark("delays"), Mark("packet"), Mark("header"),
    Mark("simulated ms"), Mark("formula ms"), Mark("difference ms"), Mark("seed"), Mark("changed")};

/// The heading of column `column` as a person reads it, in the language in use.
std::string ResultHeading(std::size_t column);

/// What the results table shows of a run, column by column, as a person
/// reads it in the language in use: technique, size, rates ("1 / 0.5 / 1",
/// the box texts as they were), delays, packet and header size in blocks,
/// simulated ms, formula ms, difference ms (with the language's decimal
/// separator), seed, and "yes" or "no" for a change during the run. The CSV
/// (ResultsCsv) stays in English with decimal points.
std::array<std::string, kResultColumns> ResultCells(const RunResult& result);

/// The results as a text table with a heading, newest first, one run a line,
/// as a person reads it in the language in use.
std::string ResultsText(const std::vector<RunResult>& results);
/// The results as CSV (RFC 4180) with a heading line, newest first, for
/// programs: English, with decimal points, in every language.
std::string ResultsCsv(const std::vector<RunResult>& results);
/// The switchsim-trace command line that runs `parameters` again, with each
/// value quoted for a POSIX shell where it needs it.
std::string TraceCommand(const RunParameters& parameters);
/// "Circuit: 6375 ms, formula 6050 ms".
std::string CompletionNotice(const RunResult& result);

}  // namespace switchsim
