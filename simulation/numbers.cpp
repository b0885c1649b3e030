#include "numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "constants.h"

namespace switchsim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Scan {
  std::size_t end = 0;  // one past the last character of the number
  bool found = false;   // at least one digit of mantissa
};

// Finds the decimal number that starts at `pos`: sign, digits, point,
// fraction, and an exponent only when it has digits of its own.
Scan ScanNumber(std::string_view text, std::size_t pos) {
  Scan scan;
  std::size_t i = pos;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    std::size_t j = i + 1;
    std::size_t fraction = 0;
    while (j < text.size() && IsDigit(text[j])) ++j, ++fraction;
    if (digits + fraction > 0) {
      i = j;
      digits += fraction;
    }
  }
  if (digits == 0) return scan;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t exponent_digits = 0;
    while (j < text.size() && IsDigit(text[j])) ++j, ++exponent_digits;
    if (exponent_digits > 0) i = j;
  }
  scan.end = i;
  scan.found = true;
  return scan;
}

// The power of ten of the first significant digit of an unsigned decimal
// number; tells an overflow from an underflow when the number is out of range.
long long DecimalMagnitude(std::string_view number) {
  long long magnitude = 0;
  bool significant = false;
  bool after_point = false;
  std::size_t i = 0;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    const char c = number[i];
    if (c == '.') {
      after_point = true;
    } else if (!significant && c != '0') {
      significant = true;
      if (after_point) --magnitude;
    } else if (significant && !after_point) {
      ++magnitude;
    } else if (!significant && after_point) {
      --magnitude;
    }
  }
  if (i < number.size()) {
    long long exponent = 0;
    bool negative_exponent = false;
    for (++i; i < number.size(); ++i) {
      if (number[i] == '-') negative_exponent = true;
      if (IsDigit(number[i]) && exponent < 1'000'000'000) exponent = exponent * 10 + (number[i] - '0');
    }
    magnitude += negative_exponent ? -exponent : exponent;
  }
  return magnitude;
}

// Converts a scanned number; from_chars is locale-independent but takes no
// leading plus and reports overflow instead of giving infinity.
double Convert(std::string_view number) {
  bool negative = false;
  if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                         std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    value = DecimalMagnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc() || ptr != number.data() + number.size()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  const std::size_t start = SkipBlanks(text, 0);
  const Scan scan = ScanNumber(text, start);
  if (!scan.found) return 0.0;
  return Convert(text.substr(start, scan.end - start));
}

bool IsUsableRate(double rate) { return std::isfinite(rate) && rate > 0.0; }

void AppendShortestText(std::string& out, double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out.append(buffer.data(), result.ptr);
}

std::string ShortestText(double value) {
  std::string text;
  AppendShortestText(text, value);
  return text;
}

double RoundHalfEven(double value) {
  // Explicit, so that no floating-point rounding mode set elsewhere can change it.
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1.0;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::int16_t BlocksForSize(double size) {
  const double blocks = RoundHalfEven(size / kSizePerBlock);
  if (std::isnan(blocks)) return 0;
  if (blocks >= std::numeric_limits<std::int16_t>::max()) {
    return std::numeric_limits<std::int16_t>::max();
  }
  if (blocks <= std::numeric_limits<std::int16_t>::min()) {
    return std::numeric_limits<std::int16_t>::min();
  }
  return static_cast<std::int16_t>(blocks);
}

}  // namespace switchsim
