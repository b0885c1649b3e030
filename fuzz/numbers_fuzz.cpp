// The number reading of a box text and the shortest decimal text: no text
// reads as NaN, a text made only of blanks and the characters of a decimal
// number reads as the C library reads it, and every usable rate survives the
// round trip through its shortest text.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "simulation/numbers.h"

namespace {

void Fail(const char* what, std::string_view text, double value) {
  std::fprintf(stderr, "%s: text \"%.*s\" (%zu bytes), value %.17g\n", what,
               static_cast<int>(std::min<std::size_t>(text.size(), 200)), text.data(), text.size(),
               value);
  std::abort();
}

void CheckRoundTrip(double rate, std::string_view source) {
  if (!switchsim::IsUsableRate(rate)) return;
  const std::string shortest = switchsim::ShortestText(rate);
  if (switchsim::LeadingNumber(shortest) != rate) Fail("shortest text reads back otherwise", source, rate);
  if (shortest.size() > 24) Fail("shortest text longer than 24 characters", shortest, rate);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double leading = switchsim::LeadingNumber(text);
  if (std::isnan(leading)) Fail("leading number is NaN", text, leading);
  static_cast<void>(switchsim::BlocksForSize(leading));

  // Without letters other than an exponent's, strtod in the C locale knows no
  // other numbers ("inf", "nan", "0x10") and skips the same blanks, so it reads
  // the same leading number.
  if (text.find_first_not_of(" \t0123456789.eE+-") == std::string_view::npos) {
    const std::string terminated(text);
    const double expected = std::strtod(terminated.c_str(), nullptr);
    if (!(expected == leading)) Fail("reads otherwise than strtod", text, expected);
  }
  CheckRoundTrip(leading, text);

  // The bytes taken as doubles: every usable one is a rate that must round-trip.
  for (std::size_t i = 0; i + sizeof(double) <= size; i += sizeof(double)) {
    double raw = 0.0;
    std::memcpy(&raw, data + i, sizeof raw);
    CheckRoundTrip(raw, text);
    const double rounded = switchsim::RoundHalfEven(raw);
    if (std::isfinite(raw) && (std::isnan(rounded) || std::fabs(rounded - raw) > 0.5)) {
      Fail("rounding half to even is off", text, raw);
    }
  }
  return 0;
}
