#pragma once

#include <string>
#include <variant>
#include <vector>

#include "records/run_log.h"

namespace switchsim {

/// The parameter along a curve's x axis.
enum class SweepParameter { Size, Packet, Header, Rate, Delay };

/// The most x values a sweep takes.
inline constexpr int kMostSweepPoints = 1000;

/// What a sweep varies and the values it takes, in increasing order: a
/// message size (units), a packet or header size (blocks), one link's rate
/// (blocks per 100 ms) or one link's delay (from the delay list).
struct SweepRange {
  SweepParameter parameter = SweepParameter::Size;
  int link = 0;                // 0, 1 or 2 for a rate or a delay; 0 is Transmit to Router A
  std::vector<double> values;  // never empty once read
};

/// Reads "PARAM=FROM:TO:STEP" (a delay's step may be left out: its sweep
/// takes the delay list's values from FROM to TO). Returns the sweep, or one
/// line naming the part refused and what is allowed, in the language in use.
std::variant<SweepRange, std::string> ReadSweepRange(const std::string& text);

/// Reads "FROM:TO:STEP" of plain decimal numbers (FROM not above TO, STEP
/// above 0) into the values from FROM to TO by STEP, each rounded to what a
/// user would type, at most kMostSweepPoints of them; or one line naming the
/// part refused.
std::variant<std::vector<double>, std::string> ReadSteppedValues(const std::string& range_text);

/// The parameter's name on the command line: "size", "packet", "rate1", ...
std::string SweepParameterName(const SweepRange& spec);
/// What the x axis shows, without a unit: "message size", "rate of link 1",
/// in the language in use.
std::string SweepAxisName(const SweepRange& spec);
/// The same name in English, for files and answers meant for programs.
std::string SweepAxisEnglish(const SweepRange& spec);
/// The unit of the x values in English: "units", "blocks", "blocks per 100 ms";
/// none for a delay. Marked for the catalog: a person is shown Tr(unit).
std::string SweepUnit(const SweepRange& spec);
/// The x axis's title with its unit: "message size (units)".
std::string SweepAxisTitle(const SweepRange& spec);

/// `base` with the swept parameter set to `x`, as a user would choose it.
RunParameters ParametersAt(const SweepRange& spec, RunParameters base, double x);

}  // namespace switchsim
