#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "records/timing_table.h"

// The timing table of a run as the front ends show it: cells, a text table
// and CSV.
namespace switchsim {

inline constexpr std::size_t kTimingColumns = 9;
/// The headings of the timing table's columns.
inline constexpr std::array<std::string_view, kTimingColumns> kTimingHeadings = {
    "Record",           "Unit",                 "Link",
    "Direction",        "First bit left ms",    "Last bit left ms",
    "First bit arrived ms", "Last bit arrived ms", "Delivered ms"};

/// What the timing table shows of a crossing, column by column: record,
/// unit, link ("Transmit → Router A"), "forward" or "back", and the five
/// times in ms, "-" for one that has not happened.
std::array<std::string, kTimingColumns> TimingCells(const Crossing& crossing);

/// The crossings as a text table with a heading line, one crossing a line.
std::string TimingText(const std::vector<Crossing>& rows);
/// The crossings as CSV (RFC 4180) with a heading line; a time that has not
/// happened is an empty field.
std::string TimingCsv(const std::vector<Crossing>& rows);

}  // namespace switchsim
