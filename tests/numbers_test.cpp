#include "numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

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
