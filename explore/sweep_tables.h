#pragma once

#include <string>

#include "explore/sweep.h"

namespace switchsim {

/// The parameters the sweep keeps, with "x" for the one it varies, and its
/// seeds: "size x, rates 1.0 / 0.5 / 1.0, delays 50 / 50 / 50, seeds 1 to 5",
/// in the language in use (as the table below; the CSV is English with points).
std::string SweepContext(const Sweep& sweep);

/// The sweep's numbers as a readable table for a terminal or a screen
/// reader: a heading, one row per x and technique with the formula and the
/// simulated completion of each seed ("> 15 s" for data not all delivered
/// within the run), then the marks. Only the runs made so far.
std::string SweepTableText(const Sweep& sweep);

/// The runs made so far as CSV (RFC 4180, lines ending in CRLF): the heading "PARAM,technique,seed,simulated_ms,formula_ms",
/// then one row per x, technique and seed; simulated_ms is empty for data
/// not all delivered within the run, formula_ms has one decimal.
std::string SweepCsv(const Sweep& sweep);

}  // namespace switchsim
