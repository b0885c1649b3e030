#include "text/number_texts.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "simulation/numbers.h"

namespace switchsim {

std::string FormulaText(double ms) { return ShortestText(std::round(ms * 10) / 10); }

std::string MsText(double ms) { return std::isfinite(ms) ? FixedText(ms, 1) : "-"; }

std::string FixedText(double value, int places) {
  std::array<char, 400> text{};
  std::snprintf(text.data(), text.size(), "%.*f", places, value);
  return text.data();
}

std::string ChanceText(double p) {
  if (p == 0.0 || p >= 1e-4) return ShortestText(std::round(p * 1e6) / 1e6);
  const int power = static_cast<int>(std::floor(std::log10(p)));
  return FixedText(p / std::pow(10.0, power), 2) + "e" + (power < 0 ? "-" : "") + (std::abs(power) < 10 ? "0" : "") +
         std::to_string(std::abs(power));
}

std::string BlocksCount(long long blocks) { return std::to_string(blocks) + (blocks == 1 ? " block" : " blocks"); }

std::string LabelledRow(const std::string& what, const std::string& value) {
  std::array<char, 512> line{};
  std::snprintf(line.data(), line.size(), "%-44s %s\n", what.c_str(), value.c_str());
  return line.data();
}

}  // namespace switchsim
