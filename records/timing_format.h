#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "records/timing_table.h"
#include "text/translation.h"

// The timing table of a run as the front ends show it: cells, a text table
// and CSV.
namespace switchsim {

inline constexpr std::size_t kTimingColumns = 9;
/// The headings of the timing table's columns, in English, marked for the
/// catalog (the CSV's, lowered); a front end shows TimingHeading().
inline constexpr std::array<std::string_view, kTimingColumns> kTimingHeadings = {
    Mark("Record"),           Mark("Unit"),                 Mark("Link"),
    Mark("Direction"),        Mark("First bit left ms"),    Mark("Last bit left ms"),
    Mark("First bit arrived ms"), Mark("Last bit arrived ms"), Mark("Delivered ms")};
/// The headings of the text table's columns (TimingText), in English.
inline constexpr std::array<std::string_view, kTimingColumns> kTimingTextHeadings = {
    Mark("record"),           Mark("unit"),                 Mark("link"),
    Mark("direction"),        Mark("first bit left ms"),    Mark("last bit left ms"),
    Mark("first bit arrived ms"), Mark("last bit arrived ms"), Mark("delivered ms")};

/// The heading of column `column` as a person reads it, in the language in use.
std::string TimingHeading(std::size_t column);

/// What the timing table shows of a crossing, column by column, as a person
/// reads it in the language in use: record, unit, link ("Transmit → Router
/// A"), "forward" or "back", and the five times in ms, "-" for one that has
/// not happened. The CSV (TimingCsv) stays in English.
std::array<std::string, kTimingColumns> TimingCells(const Crossing& crossing);

/// The crossings as a text table with a heading line, one crossing a line,
/// as a person reads it.
std::string TimingText(const std::vector<Crossing>& rows);
/// The crossings as CSV (RFC 4180) with a heading line, for programs: English
/// in every language; a time that has not happened is an empty field.
std::string TimingCsv(const std::vector<Crossing>& rows);

}  // namespace switchsim
