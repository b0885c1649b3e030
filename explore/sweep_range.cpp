#include "explore/sweep_range.h"

#include <algorithm>
#include <cmath>

#include "form/lists.h"
#include "simulation/numbers.h"
#include "form/run_choice.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// The values are rounded to this many parts of a unit, so that 0.1 steps add
// up to the numbers a user types (0.3, not 0.30000000000000004).
inline constexpr double kValueGrain = 1e9;

struct ParameterName {
  std::string_view name;
  SweepParameter parameter;
  int link;
};

inline constexpr std::array<ParameterName, 9> kParameterNames = {{
    {"size", SweepParameter::Size, 0},   {"packet", SweepParameter::Packet, 0},
    {"header", SweepParameter::Header, 0}, {"rate1", SweepParameter::Rate, 0},
    {"rate2", SweepParameter::Rate, 1},  {"rate3", SweepParameter::Rate, 2},
    {"delay1", SweepParameter::Delay, 0}, {"delay2", SweepParameter::Delay, 1},
    {"delay3", SweepParameter::Delay, 2},
}};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

// A plain decimal number, a minus sign and digits with at most one point
// and nothing else ("12", "0.5", "-1"), read as the boxes read a number.
// Read by hand, since the page's standard library has no from_chars for doubles.
std::optional<double> PlainNumber(const std::string& text) {
  bool digit = false;
  int points = 0;
  for (std::size_t i = text.rfind('-', 0) == 0 ? 1 : 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.') {
      ++points;
    } else {
      return std::nullopt;
    }
  }
  if (!digit || points > 1 || text.size() > 30) return std::nullopt;
  const double number = LeadingNumber(text);
  if (!std::isfinite(number)) return std::nullopt;
  return number;
}

// The range of whole numbers a parameter takes, the step they must keep, and
// the refusals of a value outside it ("{0}" the value) and of a step not of
// the grain ("{0}" the step, "{1}" the grain).
struct WholeRange {
  int least;
  int most;
  int grain;
  std::string_view not_value;
  std::string_view not_step;
};

std::optional<WholeRange> WholeRangeOf(SweepParameter parameter) {
  switch (parameter) {
    case SweepParameter::Size:
      return WholeRange{lists::kSmallestSize, lists::kLargestSize, lists::kSizeStep,
                        Mark("{0} is not a message size; use a multiple of 20 from 20 to 1000"),
                        Mark("{0} is not a step of message size; use a multiple of {1}")};
    case SweepParameter::Packet:
      return WholeRange{kFewestPacketBlocks, kMostPacketBlocks, 1,
                        Mark("{0} is not a packet size; use a whole number of blocks from 1 to 50"),
                        Mark("{0} is not a step of packet size; use a multiple of {1}")};
    case SweepParameter::Header:
      return WholeRange{0, kMostHeaderBlocks, 1,
                        Mark("{0} is not a header size; use a whole number of blocks from 0 to 10"),
                        Mark("{0} is not a step of header size; use a multiple of {1}")};
    case SweepParameter::Rate:
    case SweepParameter::Delay:
      return std::nullopt;
  }
  return std::nullopt;
}

bool IsWholeMultiple(double value, int grain) {
  return value == std::floor(value) && std::fmod(value, grain) == 0.0;
}

// Refuses an end or step of a sweep of whole numbers that the parameter does not take.
std::optional<std::string> CheckWhole(const WholeRange& range, const std::array<std::string, 3>& texts,
                                      const std::array<double, 3>& numbers) {
  for (int i = 0; i < 2; ++i) {
    if (!IsWholeMultiple(numbers[i], range.grain) || numbers[i] < range.least || numbers[i] > range.most) {
      return Fill(Tr(range.not_value), {Quoted(texts[i])});
    }
  }
  if (!IsWholeMultiple(numbers[2], range.grain)) {
    return Fill(Tr(range.not_step), {Quoted(texts[2]), std::to_string(range.grain)});
  }
  return std::nullopt;
}

std::vector<double> DelayValues(double from, double to) {
  std::vector<double> values;
  for (const std::string_view item : lists::kDelayItems) {
    const double delay = LeadingNumber(item);
    if (delay >= from && delay <= to) values.push_back(delay);
  }
  return values;
}

std::variant<std::vector<double>, std::string> SteppedValues(const std::string& range_text, double from,
                                                             double to, double step) {
  const double count = std::floor((to - from) / step * (1 + 1e-12)) + 1;
  if (!(count <= kMostSweepPoints)) {
    return Fill(Tr("{0} gives more than {1} points, the most a sweep takes"),
                {Quoted(range_text), std::to_string(kMostSweepPoints)});
  }
  std::vector<double> values;
  for (int i = 0; i < static_cast<int>(count); ++i) {
    values.push_back(std::round((from + i * step) * kValueGrain) / kValueGrain);
  }
  return values;
}

// FROM, TO and STEP of a range's three parts: plain numbers, FROM not above TO, STEP above 0.
std::variant<std::array<double, 3>, std::string> RangeNumbers(const std::string& range_text,
                                                              const std::vector<std::string>& parts) {
  std::array<double, 3> numbers{};
  for (int i = 0; i < 3; ++i) {
    const auto number = PlainNumber(parts[i]);
    if (!number) return Fill(Tr("{0} is not a number"), {Quoted(parts[i])});
    numbers[i] = *number;
  }
  if (numbers[0] > numbers[1]) {
    return Fill(Tr("{0} runs backwards; FROM must not be above TO"), {Quoted(range_text)});
  }
  if (!(numbers[2] > 0)) return Fill(Tr("{0} is not a step; use a number above 0"), {Quoted(parts[2])});
  return numbers;
}

}  // namespace

std::variant<SweepRange, std::string> ReadSweepRange(const std::string& text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) {
    return Fill(Tr("{0} is not a sweep; give PARAM=FROM:TO:STEP, for example size=20:1000:20"), {Quoted(text)});
  }
  const std::string name = text.substr(0, equals);
  const auto* found = std::find_if(kParameterNames.begin(), kParameterNames.end(),
                                   [&](const ParameterName& p) { return p.name == name; });
  if (found == kParameterNames.end()) {
    return Fill(Tr("{0} is not a parameter to sweep; use one of size, packet, header, rate1, rate2, rate3, "
                   "delay1, delay2, delay3"),
                {Quoted(name)});
  }
  SweepRange spec{found->parameter, found->link, {}};
  const std::string range_text = text.substr(equals + 1);
  std::vector<std::string> parts = Split(range_text, ':');
  const bool delay = spec.parameter == SweepParameter::Delay;
  if (delay && parts.size() == 2) parts.emplace_back("1");
  if (parts.size() != 3) {
    return Fill(Tr("{0} is not a range; give FROM:TO:STEP, for example {1}"),
                {Quoted(range_text), delay ? "20:200" : "20:1000:20"});
  }
  auto read = RangeNumbers(range_text, parts);
  if (auto* error = std::get_if<std::string>(&read)) return *std::move(error);
  const std::array<double, 3> numbers = std::get<std::array<double, 3>>(read);
  const auto [from, to, step] = numbers;
  if (const auto whole = WholeRangeOf(spec.parameter)) {
    if (auto error = CheckWhole(*whole, {parts[0], parts[1], parts[2]}, numbers)) return *std::move(error);
  }
  if (spec.parameter == SweepParameter::Rate && !(from > 0)) {
    return Fill(Tr("{0} is not a rate; use a number above 0"), {Quoted(parts[0])});
  }
  if (delay) {
    spec.values = DelayValues(from, to);
    if (spec.values.empty()) return Fill(Tr("{0} holds none of the delays 20, 50, 100, 200"), {Quoted(range_text)});
    return spec;
  }
  auto values = SteppedValues(range_text, from, to, step);
  if (auto* error = std::get_if<std::string>(&values)) return *std::move(error);
  spec.values = std::get<std::vector<double>>(std::move(values));
  return spec;
}

std::variant<std::vector<double>, std::string> ReadSteppedValues(const std::string& range_text) {
  const std::vector<std::string> parts = Split(range_text, ':');
  if (parts.size() != 3) return Fill(Tr("{0} is not a range; give FROM:TO:STEP"), {Quoted(range_text)});
  auto read = RangeNumbers(range_text, parts);
  if (auto* error = std::get_if<std::string>(&read)) return *std::move(error);
  const auto [from, to, step] = std::get<std::array<double, 3>>(read);
  return SteppedValues(range_text, from, to, step);
}

std::string SweepParameterName(const SweepRange& spec) {
  for (const ParameterName& p : kParameterNames) {
    if (p.parameter == spec.parameter && p.link == spec.link) return std::string(p.name);
  }
  return std::string(kParameterNames[0].name);
}

namespace {

// The axis's name, each text passed through `shown` (Tr for people, none for programs).
template <typename Shown>
std::string AxisName(const SweepRange& spec, Shown shown) {
  const std::string link = std::to_string(spec.link + 1);
  switch (spec.parameter) {
    case SweepParameter::Size: return shown(Mark("message size"));
    case SweepParameter::Packet: return shown(Mark("packet size"));
    case SweepParameter::Header: return shown(Mark("header size"));
    case SweepParameter::Rate: return Fill(shown(Mark("rate of link {0}")), {link});
    case SweepParameter::Delay: return Fill(shown(Mark("delay of link {0}")), {link});
  }
  return "";
}

}  // namespace

std::string SweepAxisName(const SweepRange& spec) {
  return AxisName(spec, [](std::string_view text) { return Tr(text); });
}

std::string SweepAxisEnglish(const SweepRange& spec) {
  return AxisName(spec, [](std::string_view text) { return std::string(text); });
}

std::string SweepUnit(const SweepRange& spec) {
  switch (spec.parameter) {
    case SweepParameter::Size: return std::string(Mark("units"));
    case SweepParameter::Packet:
    case SweepParameter::Header: return std::string(Mark("blocks"));
    case SweepParameter::Rate: return std::string(Mark("blocks per 100 ms"));
    case SweepParameter::Delay: return "";
  }
  return "";
}

std::string SweepAxisTitle(const SweepRange& spec) {
  if (spec.parameter == SweepParameter::Delay) return Fill(Tr("{0} (crossing 5 x d ms)"), {SweepAxisName(spec)});
  // TRANSLATORS: an axis's title: what it shows ("message size") and its unit ("units").
  return Fill(Tr("{0} ({1})"), {SweepAxisName(spec), Tr(SweepUnit(spec))});
}

RunParameters ParametersAt(const SweepRange& spec, RunParameters base, double x) {
  switch (spec.parameter) {
    case SweepParameter::Size: base.size = ShortestText(x); break;
    case SweepParameter::Packet: base.packeting.packet_blocks = static_cast<int>(x); break;
    case SweepParameter::Header: base.packeting.header_blocks = static_cast<int>(x); break;
    case SweepParameter::Rate: base.rates.at(spec.link) = ShortestText(x); break;
    case SweepParameter::Delay: base.delays.at(spec.link) = ShortestText(x); break;
  }
  return base;
}

}  // namespace switchsim
