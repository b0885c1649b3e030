#include "records/timing_format.h"

#include <algorithm>
#include <cctype>

#include "text/text_escape.h"
#include "records/unit_names.h"
#include "text/translation.h"

namespace switchsim {
namespace {

inline constexpr std::size_t kFirstTimeColumn = 4;
inline constexpr std::string_view kNotYet = "-";

std::string TimeText(const std::optional<std::int32_t>& ms) {
  return ms ? std::to_string(*ms) : std::string(kNotYet);
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// Characters, not bytes: the links' arrow takes three bytes and one place.
std::size_t Width(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xc0) != 0x80; }));
}

std::string Padded(const std::string& text, std::size_t width, bool right) {
  const std::string fill(width > Width(text) ? width - Width(text) : 0, ' ');
  return right ? fill + text : text + fill;
}

// The cells in English, for the CSV.
std::array<std::string, kTimingColumns> FileCells(const Crossing& c) {
  return {std::to_string(c.record),   c.unit,
          CrossingName(c.link, c.forward), c.forward ? "forward" : "back",
          TimeText(c.first_left),     TimeText(c.last_left),
          TimeText(c.first_arrived),  TimeText(c.last_arrived),
          TimeText(c.delivered)};
}

}  // namespace

std::array<std::string, kTimingColumns> TimingCells(const Crossing& c) {
  return {std::to_string(c.record),   Tr(c.unit),
          ShownCrossingName(c.link, c.forward), c.forward ? Tr("forward") : Tr("back"),
          TimeText(c.first_left),     TimeText(c.last_left),
          TimeText(c.first_arrived),  TimeText(c.last_arrived),
          TimeText(c.delivered)};
}

std::string TimingHeading(std::size_t column) { return Tr(kTimingHeadings.at(column)); }

std::string TimingText(const std::vector<Crossing>& rows) {
  std::vector<std::array<std::string, kTimingColumns>> lines;
  std::array<std::string, kTimingColumns> heading;
  std::transform(kTimingTextHeadings.begin(), kTimingTextHeadings.end(), heading.begin(),
                 [](std::string_view text) { return Tr(text); });
  lines.push_back(heading);
  for (const Crossing& row : rows) lines.push_back(TimingCells(row));

  std::array<std::size_t, kTimingColumns> widths{};
  for (const auto& line : lines) {
    for (std::size_t i = 0; i < kTimingColumns; ++i) widths[i] = std::max(widths[i], Width(line[i]));
  }
  std::string text;
  for (const auto& line : lines) {
    std::string out;
    for (std::size_t i = 0; i < kTimingColumns; ++i) {
      if (i > 0) out += "  ";
      // Numbers line up on the right, words on the left.
      out += Padded(line[i], widths[i], i == 0 || i >= kFirstTimeColumn);
    }
    out.erase(out.find_last_not_of(' ') + 1);
    text += out + "\n";
  }
  return text;
}

std::string TimingCsv(const std::vector<Crossing>& rows) {
  std::string csv;
  for (std::size_t i = 0; i < kTimingColumns; ++i) {
    csv += (i > 0 ? "," : "") + CsvField(Lower(kTimingHeadings[i]));
  }
  csv += "\r\n";
  for (const Crossing& row : rows) {
    std::array<std::string, kTimingColumns> cells = FileCells(row);
    for (std::size_t i = kFirstTimeColumn; i < kTimingColumns; ++i) {
      if (cells[i] == kNotYet) cells[i].clear();
    }
    for (std::size_t i = 0; i < kTimingColumns; ++i) csv += (i > 0 ? "," : "") + CsvField(cells[i]);
    csv += "\r\n";
  }
  return csv;
}

}  // namespace switchsim
