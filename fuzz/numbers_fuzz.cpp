// The number reading of a box text and the shortest decimal text: no text
// reads as NaN, a text wholly a number reads as the C library reads it, and
// every usable rate survives the round trip through its shortest text.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "numbers.h"

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
  const auto whole = switchsim::WholeNumber(shortest);
  if (!whole || *whole != rate) Fail("shortest text is not wholly the number", source, rate);
  if (shortest.size() > 24) Fail("shortest text longer than 24 characters", shortest, rate);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double leading = switchsim::LeadingNumber(text);
  if (std::isnan(leading)) Fail("leading number is NaN", text, leading);
  static_cast<void>(switchsim::BlocksForSize(leading));

  if (const auto whole = switchsim::WholeNumber(text)) {
    if (!(*whole == leading)) Fail("whole number differs from the leading number", text, *whole);
    // Texts wholly in the grammar read as strtod reads them in the C locale.
    const std::string terminated(text);
    if (std::strlen(terminated.c_str()) == terminated.size()) {
      const double expected = std::strtod(terminated.c_str(), nullptr);
      if (!(expected == *whole)) Fail("reads otherwise than strtod", text, expected);
    }
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
