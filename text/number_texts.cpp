#include "text/number_texts.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "simulation/numbers.h"
#include "text/translation.h"

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

std::string BlocksCount(long long blocks) {
  return Fill(TrN("{0} block", "{0} blocks", blocks), {std::to_string(blocks)});
}

std::string BlocksCountInEnglish(long long blocks) { return std::to_string(blocks) + (blocks == 1 ? " block" : " blocks"); }

std::string LabelledRow(const std::string& what, const std::string& value) {
  // Padded by characters, not bytes, so that a translated label lines up too.
  constexpr std::size_t kLabelWidth = 44;
  std::size_t width = 0;
  for (const char c : what) width += (c & 0xc0) != 0x80 ? 1 : 0;
  return what + std::string(width < kLabelWidth ? kLabelWidth - width : 0, ' ') + " " + value + "\n";
}

}  // namespace switchsim
