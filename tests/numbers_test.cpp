#include "simulation/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace switchsim {
namespace {

struct ReadCase {
  const char* name;
  const char* text;
  double leading;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class NumberReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(NumberReading, ReadsTheLeadingNumber) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(LeadingNumber(c.text), c.leading) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberReading,
    ::testing::Values(ReadCase{"Decimal", "1.0", 1.0}, ReadCase{"Fraction", "0.5", 0.5},
                      ReadCase{"TwoDigits", "10.0", 10.0}, ReadCase{"BlanksAround", "  2.5  ", 2.5},
                      ReadCase{"LeadingTab", "\t3", 3.0}, ReadCase{"PlusSign", "+4", 4.0},
                      ReadCase{"MinusSign", "-2", -2.0}, ReadCase{"NoIntegerPart", ".5", 0.5},
                      ReadCase{"NoFractionDigits", "5.", 5.0}, ReadCase{"Exponent", "1e3", 1000.0},
                      ReadCase{"CapitalNegativeExponent", "2.5E-1", 0.25},
                      ReadCase{"SignedExponent", "1e+2", 100.0},
                      ReadCase{"TrailingLetters", "2abc", 2.0}, ReadCase{"SecondPoint", "1.5.3", 1.5},
                      ReadCase{"CommaIsNoPoint", "1,5", 1.0},
                      ReadCase{"ExponentWithoutDigits", "1e", 1.0},
                      ReadCase{"SignedExponentWithoutDigits", "1e+", 1.0},
                      ReadCase{"Empty", "", 0.0}, ReadCase{"OnlyBlanks", "   ", 0.0},
                      ReadCase{"Letters", "abc", 0.0}, ReadCase{"Infinity", "inf", 0.0},
                      ReadCase{"NotANumber", "nan", 0.0}, ReadCase{"NegativeInfinity", "-inf", 0.0},
                      ReadCase{"ZeroXHexadecimal", "0x10", 0.0},
                      ReadCase{"AmpersandHHexadecimal", "&H10", 0.0},
                      ReadCase{"OnlyPoint", ".", 0.0}, ReadCase{"OnlySign", "-", 0.0},
                      ReadCase{"SignPointAndExponent", "+.e1", 0.0}, ReadCase{"Zero", "0", 0.0},
                      ReadCase{"Underflow", "1e-999", 0.0},
                      ReadCase{"UnderflowWithFraction", "0.000001e-400", 0.0},
                      ReadCase{"BlankAfterSign", "- 1", 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberReading, HugeNumbersReadAsInfinityOfTheirSign) {
  EXPECT_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("0.00000000001e320"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("1e99999999999999999999"), std::numeric_limits<double>::infinity());
}

// Numbers written every way a box may hold them read as the standard
// library's exact decimal conversion reads them.
TEST(NumberReading, MatchesFromCharsOnRandomNumbers) {
  std::mt19937_64 random(11);
  const auto digits = [&random](std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  for (int i = 0; i < 100000; ++i) {
    std::string number = digits(random() % 25 + (i % 7 == 0 ? 0 : 1));
    if (random() % 2 == 0) number += "." + digits(random() % 25);
    if (number == "." || number.empty()) number = "0";
    if (random() % 3 == 0) {
      number += (random() % 2 == 0 ? "e-" : "e") + std::to_string(random() % 700);
    }
    double expected = 0.0;
    const auto result =
        std::from_chars(number.data(), number.data() + number.size(), expected);
    if (result.ec == std::errc::result_out_of_range) {
      expected = number.find("e-") == std::string::npos ? std::numeric_limits<double>::infinity()
                                                         : 0.0;
    }
    ASSERT_EQ(result.ptr, number.data() + number.size()) << number;
    EXPECT_EQ(LeadingNumber(number), expected) << number;
    EXPECT_EQ(LeadingNumber("-" + number), -expected) << number;
  }
}

TEST(UsableRate, OnlyFinitePositiveNumbers) {
  EXPECT_TRUE(IsUsableRate(0.5));
  EXPECT_TRUE(IsUsableRate(1e-300));
  EXPECT_TRUE(IsUsableRate(1e300));
  EXPECT_FALSE(IsUsableRate(0.0));
  EXPECT_FALSE(IsUsableRate(-2.0));
  EXPECT_FALSE(IsUsableRate(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(IsUsableRate(std::numeric_limits<double>::quiet_NaN()));
}

TEST(ShortestText, WritesTheShortestTextThatReadsBack) {
  EXPECT_EQ(ShortestText(1.0), "1");
  EXPECT_EQ(ShortestText(0.5), "0.5");
  EXPECT_EQ(ShortestText(0.1), "0.1");
  EXPECT_EQ(ShortestText(10.0), "10");
  EXPECT_EQ(ShortestText(1e20), "1e+20");
  EXPECT_EQ(ShortestText(4547.5), "4547.5");
}

TEST(ShortestText, PlainOrExponentWhicheverIsShorterPlainOnATie) {
  const std::pair<double, const char*> cases[] = {
      {1e4, "10000"},       {1e5, "1e+05"},         {0.001, "0.001"},
      {1e-4, "1e-04"},      {1e300, "1e+300"},      {1.5e-7, "1.5e-07"},
      {0.000123, "0.000123"}, {-1234.5, "-1234.5"}, {0x1p60, "1152921504606846976"},
      {0.0, "0"},           {-0.0, "-0"},           {5e-324, "5e-324"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
      {-std::numeric_limits<double>::quiet_NaN(), "-nan"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(ShortestText(value), text) << text;
}

TEST(ShortestText, EveryUsableRateRoundTrips) {
  std::mt19937_64 engine(7);
  for (int i = 0; i < 20000; ++i) {
    const double value = std::ldexp(static_cast<double>(engine() >> 11), static_cast<int>(engine() % 2000) - 1100);
    if (!IsUsableRate(value)) continue;
    EXPECT_EQ(LeadingNumber(ShortestText(value)), value) << ShortestText(value);
  }
  const double smallest = std::numeric_limits<double>::denorm_min();
  EXPECT_EQ(LeadingNumber(ShortestText(smallest)), smallest);
  const double largest = std::numeric_limits<double>::max();
  EXPECT_EQ(LeadingNumber(ShortestText(largest)), largest);
}

std::string ToChars(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

TEST(ShortestText, MatchesToCharsOnEdgeValues) {
  using limits = std::numeric_limits<double>;
  std::vector<double> values = {0.0, limits::infinity(), limits::quiet_NaN(), limits::denorm_min(),
                                std::nextafter(limits::min(), 0.0), limits::min(), limits::max(),
                                0x1p53, 123456789012345678901.0, 1e23};
  for (int exponent = -10; exponent <= 25; ++exponent) {
    const double power = std::stod("1e" + std::to_string(exponent));
    values.insert(values.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300)});
  }
  // Powers of two: the double below is nearer than the one above.
  for (int exponent = -1074; exponent <= 1023; ++exponent) {
    values.push_back(std::ldexp(1.0, exponent));
  }
  for (const double value : values) {
    EXPECT_EQ(ShortestText(value), ToChars(value));
    EXPECT_EQ(ShortestText(-value), ToChars(-value));
  }
}

TEST(ShortestText, MatchesToCharsOnRandomValues) {
  std::mt19937_64 engine(2024);
  std::vector<double> values;
  for (int i = 0; i < 200000; ++i) values.push_back(std::bit_cast<double>(engine()));
  // Values a run has: few digits, from thousandths up to millions.
  const double scales[] = {1, 10, 100, 1000};
  for (int i = 0; i < 100000; ++i) {
    values.push_back(static_cast<double>(engine() % 1000000) / scales[engine() % 4]);
  }
  // Integers beyond 2^53, written in full when plain.
  for (int i = 0; i < 20000; ++i) {
    const int exponent = 1 + static_cast<int>(engine() % 22);
    values.push_back(std::ldexp(static_cast<double>(engine() >> 11), exponent));
  }
  int mismatches = 0;
  for (const double value : values) {
    if (ShortestText(value) == ToChars(value)) continue;
    if (++mismatches <= 5) ADD_FAILURE() << ToChars(value) << " written as " << ShortestText(value);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(ShortestText, WritesAPointWhateverTheLocale) {
  const char* chosen = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ps_AF.UTF-8"}) {
    if (chosen == nullptr && std::setlocale(LC_NUMERIC, name) != nullptr) chosen = name;
  }
  if (chosen == nullptr) GTEST_SKIP() << "no locale with another decimal point";
  const std::string texts[] = {ShortestText(1234.5), ShortestText(1.5e-7), ShortestText(0x1p-1007)};
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(texts[0], "1234.5") << chosen;
  EXPECT_EQ(texts[1], "1.5e-07") << chosen;
  EXPECT_EQ(texts[2], "7.291122019556398e-304") << chosen;
}

TEST(Rounding, HalvesGoToEven) {
  const std::pair<double, double> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4},
                                             {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2},
                                             {2.5001, 3}, {255.5, 256}, {254.5, 254}, {7, 7}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST(Rounding, BlocksOfAMessageSize) {
  const std::pair<double, int> cases[] = {{300, 15}, {1000, 50}, {100, 5},   {10, 0},
                                          {30, 2},   {50, 2},    {70, 4},    {0, 0},
                                          {-30, -2}, {1e9, 32767}, {-1e9, -32768}};
  for (const auto& [size, blocks] : cases) EXPECT_EQ(BlocksForSize(size), blocks) << size;
  EXPECT_EQ(BlocksForSize(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace switchsim
