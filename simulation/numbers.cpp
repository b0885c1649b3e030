#include "simulation/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "simulation/constants.h"

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

// Converts a scanned number with strtod, written without a decimal point
// ("-12.5e3" as "-125e2") so that no locale can change how it reads. An
// out-of-range number reads as an infinity or 0, as strtod gives it.
double Convert(std::string_view number) {
  constexpr long long kExponentLimit = 1'000'000'000;  // far beyond any double's range
  std::string text;
  text.reserve(number.size() + 24);
  long long exponent = 0;
  bool in_fraction = false;
  std::size_t i = 0;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    const char c = number[i];
    if (c == '.') {
      in_fraction = true;
    } else {
      text += c;
      if (in_fraction && IsDigit(c)) --exponent;
    }
  }
  if (i < number.size()) {
    long long written = 0;
    bool negative = false;
    for (++i; i < number.size(); ++i) {
      if (number[i] == '-') negative = true;
      if (IsDigit(number[i]) && written < kExponentLimit) written = written * 10 + (number[i] - '0');
    }
    exponent += negative ? -written : written;
  }
  text += 'e';
  text += std::to_string(exponent);
  return std::strtod(text.c_str(), nullptr);
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

bool ReadsWhole(std::string_view text) {
  const std::size_t start = SkipBlanks(text, 0);
  const Scan scan = ScanNumber(text, start);
  return scan.found && SkipBlanks(text, scan.end) == text.size();
}

bool IsUsableRate(double rate) { return std::isfinite(rate) && rate > 0.0; }

namespace {

// Significant digits that always suffice for a double to read back.
constexpr int kMaxDigits = 17;
// Room for the longest text: 17 digits, a point and "e-308", or a plain
// number no longer than that.
constexpr std::size_t kTextSize = 32;

// A positive number as significant digits and the power of ten of the first.
struct Decimal {
  std::array<char, kMaxDigits + 1> digits{};
  int count = 0;
  int exponent = 0;
};

// The decimal of `precision` significant digits nearest to `value` (positive,
// finite), as printf rounds it. Anything among the digits before the 'e' is
// the locale's decimal point, whichever character or characters it is.
Decimal NearestDecimal(double value, int precision) {
  std::array<char, 64> text{};
  const int written = std::snprintf(text.data(), text.size(), "%.*e", precision - 1, value);
  const std::size_t end = std::min<std::size_t>(written < 0 ? 0 : written, text.size() - 1);
  Decimal decimal;
  std::size_t i = 0;
  for (; i < end && text[i] != 'e'; ++i) {
    if (IsDigit(text[i]) && decimal.count < kMaxDigits) decimal.digits[decimal.count++] = text[i];
  }
  bool negative = false;
  for (++i; i < end; ++i) {
    if (text[i] == '-') negative = true;
    if (IsDigit(text[i])) decimal.exponent = decimal.exponent * 10 + (text[i] - '0');
  }
  if (negative) decimal.exponent = -decimal.exponent;
  return decimal;
}

// Reads the decimal back, written as an integer and an exponent so that no
// locale's decimal point comes into it.
double ReadBack(const Decimal& decimal) {
  std::array<char, 32> text{};
  std::copy_n(decimal.digits.begin(), decimal.count, text.begin());
  std::snprintf(text.data() + decimal.count, text.size() - decimal.count, "e%d",
                decimal.exponent - (decimal.count - 1));
  return std::strtod(text.data(), nullptr);
}

// The next decimal up with as many significant digits.
void StepUp(Decimal& decimal) {
  int i = decimal.count - 1;
  while (i >= 0 && decimal.digits[i] == '9') decimal.digits[i--] = '0';
  if (i >= 0) {
    ++decimal.digits[i];
  } else {
    decimal.digits[0] = '1';
    ++decimal.exponent;
  }
}

// The fewest significant digits that read back to `value` (positive, finite),
// and of those the nearest to it. A normal double reads back from at most one
// decimal of up to 15 digits, so if one does, the nearest of 15 digits is that
// one with zeros after it. Past 15 digits the nearest decimal reads back
// whenever any does, except at a power of two: its neighbour below is nearer
// than the one above, so the nearest decimal may lie below and miss while the
// next one up reads back. A subnormal double holds fewer digits than 15.
Decimal ShortestDecimal(double value) {
  const bool normal = value >= std::numeric_limits<double>::min();
  int mantissa_exponent = 0;
  const bool power_of_two = std::frexp(value, &mantissa_exponent) == 0.5;
  for (int precision = normal ? 15 : 1; precision < kMaxDigits; ++precision) {
    Decimal decimal = NearestDecimal(value, precision);
    const double read = ReadBack(decimal);
    if (read == value) return decimal;
    if (power_of_two && read < value) {
      StepUp(decimal);
      if (ReadBack(decimal) == value) return decimal;
    }
  }
  return NearestDecimal(value, kMaxDigits);
}

// Writes a positive finite number the way std::to_chars does without a
// format: plain decimal or with an exponent, whichever is shorter, plain on
// a tie. A plain integer beyond 2^53 shows every digit of its exact value.
std::size_t WriteShortest(double value, char* text) {
  Decimal decimal = ShortestDecimal(value);
  while (decimal.count > 1 && decimal.digits[decimal.count - 1] == '0') --decimal.count;
  const int count = decimal.count;
  const int exponent = decimal.exponent;
  const char* digits = decimal.digits.data();

  const int exponent_digits = std::abs(exponent) >= 100 ? 3 : 2;
  const int scientific_length = count + (count > 1 ? 1 : 0) + 2 + exponent_digits;
  int plain_length = 0;
  if (exponent < 0) {
    plain_length = count + 1 - exponent;
  } else {
    plain_length = count > exponent + 1 ? count + 1 : exponent + 1;
  }

  char* p = text;
  if (plain_length <= scientific_length) {
    if (exponent < 0) {
      *p++ = '0';
      *p++ = '.';
      p = std::fill_n(p, -exponent - 1, '0');
      p = std::copy_n(digits, count, p);
    } else if (count > exponent + 1) {
      p = std::copy_n(digits, exponent + 1, p);
      *p++ = '.';
      p = std::copy_n(digits + exponent + 1, count - exponent - 1, p);
    } else if (value >= 0x1p53) {
      // Nothing but digits: "%.0f" writes no decimal point in any locale.
      p += std::snprintf(p, kTextSize, "%.0f", value);
    } else {
      p = std::copy_n(digits, count, p);
      p = std::fill_n(p, exponent + 1 - count, '0');
    }
    return static_cast<std::size_t>(p - text);
  }
  *p++ = digits[0];
  if (count > 1) {
    *p++ = '.';
    p = std::copy_n(digits + 1, count - 1, p);
  }
  *p++ = 'e';
  *p++ = exponent < 0 ? '-' : '+';
  int magnitude = std::abs(exponent);
  for (int place = exponent_digits - 1; place >= 0; --place) {
    p[place] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  p += exponent_digits;
  return static_cast<std::size_t>(p - text);
}

}  // namespace

void AppendShortestText(std::string& out, double value) {
  if (std::signbit(value)) out += '-';
  if (std::isnan(value)) {
    out += "nan";
  } else if (std::isinf(value)) {
    out += "inf";
  } else if (value == 0.0) {
    out += '0';
  } else {
    std::array<char, kTextSize> text{};
    out.append(text.data(), WriteShortest(std::fabs(value), text.data()));
  }
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
