#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "formulas/continuous_time.h"
#include "tools/driver_language.h"
#include "tools/options.h"
#include "tools/trace_run.h"

namespace switchsim::trace {
namespace {

struct BadOption {
  const char* name;
  std::vector<std::string> args;
  const char* message;
};

void PrintTo(const BadOption& c, std::ostream* os) {
  for (const std::string& arg : c.args) *os << arg << ' ';
}

class OptionErrors : public ::testing::TestWithParam<BadOption> {};

TEST_P(OptionErrors, NameTheOptionTheValueAndWhatIsAllowed) {
  const auto parsed = ParseOptions(GetParam().args);
  ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
  EXPECT_EQ(std::get<UsageError>(parsed).message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, OptionErrors,
    ::testing::Values(
        BadOption{"RatesWithoutCommas", {"--rates", "abc"}, "--rates: \"abc\" is not three rates; give them as A,B,C, for example 1.0,0.5,1.0"},
        BadOption{"RateNotANumber", {"--rates", "1,abc,2"}, "--rates: \"abc\" is not a positive number"},
        BadOption{"RateZero", {"--rates", "1,0,2"}, "--rates: \"0\" is not a positive number"},
        BadOption{"RateNegative", {"--rates", "1,-2,2"}, "--rates: \"-2\" is not a positive number"},
        BadOption{"RateTooLarge", {"--rates", "1,1e999,2"}, "--rates: \"1e999\" is not a positive number"},
        BadOption{"RateEmpty", {"--rates", "1,,2"}, "--rates: \"\" is not a positive number"},
        BadOption{"FourRates", {"--rates", "1,2,3,4"}, "--rates: \"1,2,3,4\" is not three rates; give them as A,B,C, for example 1.0,0.5,1.0"},
        BadOption{"UnknownTechnique", {"--technique", "Frame"}, "--technique: \"Frame\" is not a technique; use one of Message, Circuit, Packet"},
        BadOption{"TechniqueInLowerCase", {"--technique", "message"}, "--technique: \"message\" is not a technique; use one of Message, Circuit, Packet"},
        BadOption{"SizeNotAMultipleOf20", {"--size", "250"}, "--size: \"250\" is not a message size; use a multiple of 20 from 20 to 1000"},
        BadOption{"PacketOutOfRange", {"--packet", "51"}, "--packet: \"51\" is not a packet size; use a whole number of blocks from 1 to 50"},
        BadOption{"HeaderNotWhole", {"--header", "1.5"}, "--header: \"1.5\" is not a header size; use a whole number of blocks from 0 to 10"},
        BadOption{"DelayNotInTheList", {"--delays", "50,50,60"}, "--delays: \"60\" is not a delay; use one of 20, 50, 100, 200"},
        BadOption{"OneDelay", {"--delays", "50"}, "--delays: \"50\" is not three delays; give them as A,B,C, for example 50,50,50"},
        BadOption{"NegativeSeed", {"--seed", "-1"}, "--seed: \"-1\" is not a seed; use a whole number from 0 to 18446744073709551615"},
        BadOption{"SeedWithLetters", {"--seed", "12x"}, "--seed: \"12x\" is not a seed; use a whole number from 0 to 18446744073709551615"},
        BadOption{"SeedTooLarge", {"--seed", "99999999999999999999"}, "--seed: \"99999999999999999999\" is not a seed; use a whole number from 0 to 18446744073709551615"},
        BadOption{"SeedWithoutAValue", {"--seed"}, "--seed: needs a value"},
        BadOption{"SizeGivenTwice", {"--size", "300", "--size", "300"}, "--size: given more than once"},
        BadOption{"JsonGivenTwice", {"--json", "--json"}, "--json: given more than once"},
        BadOption{"JsonWithAValue", {"--json=yes"}, "--json: takes no value, but was given \"yes\""},
        BadOption{"CsvWithoutATable", {"--csv"}, "--csv: prints a table as CSV, but none was asked for; add --timing or --sweep"},
        BadOption{"TimingAsJson", {"--timing", "--json"}, "--timing: prints a table, not JSON Lines; leave out --json"},
        BadOption{"TimingOfASweep", {"--sweep", "size=20:100:20", "--timing"}, "--timing: does not go with --sweep, which runs all three techniques"},
        BadOption{"TimingOfThreeRuns", {"--compare", "--csv", "--timing"}, "--timing: prints the table of one run; leave out --compare"},
        BadOption{"EmptyPngName", {"--png", ""}, "--png: \"\" is not a file name"},
        BadOption{"EmptySvgName", {"--svg", ""}, "--svg: \"\" is not a file name"},
        BadOption{"AdditionsWithoutAPicture", {"--additions"}, "--additions: draws into the pictures of --png and --svg, neither of which was asked for"},
        BadOption{"BothPicturesToOneFile", {"--png", "a", "--svg", "a"}, "--svg: \"a\" is the file of --png too; give each picture a file of its own"},
        BadOption{"UnknownOption", {"--fast"}, "\"--fast\" is not an option; see --help for --technique, --size, --rates, --delays, --packet, --header, --seed, --json, --compare, --timing, --png, --additions, --sweep, --seeds, --csv, --svg, --check-exercises, --course, --share, --users, --active, --user-rate, --link-rate, --burst, --slots, --queue, --intensity, --buffer, --packets, --lang, --version"},
        BadOption{"WordThatIsNoOption", {"Message"}, "\"Message\" is not an option; see --help for --technique, --size, --rates, --delays, --packet, --header, --seed, --json, --compare, --timing, --png, --additions, --sweep, --seeds, --csv, --svg, --check-exercises, --course, --share, --users, --active, --user-rate, --link-rate, --burst, --slots, --queue, --intensity, --buffer, --packets, --lang, --version"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Options, DefaultsAndValuesAsGiven) {
  const auto parsed = ParseOptions({"--technique=Packet", "--rates", "2abc,10.0,0.5", "--delays",
                                    "20,200,100", "--seed", "18446744073709551615", "--json"});
  ASSERT_TRUE(std::holds_alternative<Options>(parsed));
  const Options& options = std::get<Options>(parsed);
  EXPECT_EQ(options.technique, "Packet");
  EXPECT_EQ(options.size, "300");
  EXPECT_EQ(options.rates[0], "2abc");
  EXPECT_EQ(options.delays[1], "200");
  EXPECT_EQ(options.seed, 18446744073709551615ULL);
  EXPECT_TRUE(options.json);
  EXPECT_FALSE(options.compare);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(JsonLog, DefaultMessageRunTickByTick) {
  Options options;
  options.json = true;
  std::string out;
  const auto outcomes = RunTraces(options, 123, out);
  const auto lines = Lines(out);
  ASSERT_GE(lines.size(), 5U);
  EXPECT_EQ(lines[0],
            R"({"event":"start","technique":"Message","size":"300","rates":["1.0","0.5","1.0"],"delays":["50","50","50"],"seed":123})");
  EXPECT_EQ(lines[1], R"({"event":"unit","record":1,"kind":0,"blocks":15,"colour":"#00c000"})");
  EXPECT_EQ(lines[2].rfind(R"({"event":"tick","clock":25,"order":")", 0), 0U) << lines[2];
  EXPECT_EQ(lines[3], R"({"event":"grant","clock":25,"record":1,"link":0})");
  EXPECT_EQ(lines[5], R"({"event":"draw","clock":50,"record":1,"link":0,"head":0.1,"tail":0,"forward":true,"colour":"#00c000"})");
  EXPECT_EQ(lines.back(), R"({"event":"end","technique":"Message","completed_ms":6900,"continuous_ms":6750})");
  EXPECT_NE(out.find(R"({"event":"complete","clock":6900,"record":1,"marker":"message","y":4810,"colour":"#00c000"})"),
            std::string::npos);
  EXPECT_NE(out.find(R"({"event":"stop","clock":15025})"), std::string::npos);
  ASSERT_EQ(outcomes.size(), 1U);
  EXPECT_EQ(outcomes[0].completed_ms, 6900);
}

TEST(JsonLog, CircuitBottleneckShowsTheLoweredRates) {
  Options options;
  options.json = true;
  options.technique = "Circuit";
  std::string out;
  RunTraces(options, 5, out);
  EXPECT_NE(out.find(R"({"event":"bottleneck","clock":2575,"rates":["0.5","0.5","0.5"]})"),
            std::string::npos);
  EXPECT_NE(out.find(R"({"event":"complete","clock":6375,"record":3,"marker":"circuit","y":4547.5,"colour":"#0000c0"})"),
            std::string::npos);
  EXPECT_NE(out.find(R"({"event":"end","technique":"Circuit","completed_ms":6375,"continuous_ms":6050})"), std::string::npos);
}

TEST(JsonLog, ASeedReproducesARunExactly) {
  Options options;
  options.json = true;
  options.technique = "Packet";
  std::string first, second, other;
  RunTraces(options, 42, first);
  RunTraces(options, 42, second);
  RunTraces(options, 43, other);
  EXPECT_EQ(first, second);
  EXPECT_NE(first, other);
}

TEST(Timing, TheTableOfTheRunInsteadOfItsSteps) {
  Options options;
  options.timing = true;
  std::string text;
  RunTraces(options, 1, text);
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 6U) << text;
  EXPECT_EQ(lines[0], "Message, size 300, rates 1.0 / 0.5 / 1.0, delays 50 / 50 / 50, seed 1");
  EXPECT_EQ(lines[1].rfind("record  unit     link", 0), 0U) << lines[1];
  EXPECT_EQ(lines[5], "Message: the data reached Receive after 6900 ms");

  options.csv = true;
  std::string csv;
  RunTraces(options, 1, csv);
  EXPECT_EQ(csv,
            "record,unit,link,direction,first bit left ms,last bit left ms,first bit arrived ms,"
            "last bit arrived ms,delivered ms\r\n"
            "1,message,Transmit \u2192 Router A,forward,25,1550,275,1800,\r\n"
            "1,message,Router A \u2192 Router B,forward,1825,4850,2075,5100,\r\n"
            "1,message,Router B \u2192 Receive,forward,5125,6650,5375,6900,6900\r\n");
}

TEST(Compare, ThreeRunsAgainstTheirContinuousTimeValues) {
  Options options;
  options.compare = true;
  std::string out;
  const auto outcomes = RunTraces(options, 9, out);
  ASSERT_EQ(outcomes.size(), 3U);
  EXPECT_EQ(outcomes[0].completed_ms, 6900);
  EXPECT_EQ(outcomes[1].completed_ms, 6375);
  EXPECT_TRUE(outcomes[2].completed_ms.has_value());
  // By hand: message 3 x (100 / R x 15 + 250); circuit 2 x (100 + 200 + 100 + 750)
  // + 200 x 15 + 750; packets queue behind the slow middle link, the last one
  // of one block leaving it at 3450 and reaching Receive at 3700 + 100 + 250.
  EXPECT_DOUBLE_EQ(outcomes[0].continuous_ms, 6750.0);
  EXPECT_DOUBLE_EQ(outcomes[1].continuous_ms, 6050.0);
  EXPECT_DOUBLE_EQ(outcomes[2].continuous_ms, 4050.0);
  const std::string table = CompareTable(outcomes);
  EXPECT_NE(table.find("Message            6900         6750.0          150.0"), std::string::npos)
      << table;
  EXPECT_TRUE(out.empty());  // the table alone, not the steps
}

TEST(Compare, EachRunIsTheSingleRunOfItsSeed) {
  Options options;
  options.compare = true;
  options.json = true;
  options.rates = {"5.0", "0.5", "2.0"};
  std::string compared;
  RunTraces(options, 11, compared);
  std::string expected;
  for (const char* technique : {"Message", "Circuit", "Packet"}) {
    Options single = options;
    single.compare = false;
    single.technique = technique;
    RunTraces(single, 11, expected);
  }
  EXPECT_EQ(compared, expected);
}

TEST(JsonLog, EveryRunEndsWithBothTimesAndTextsAreEscaped) {
  Options options;
  options.compare = true;
  options.json = true;
  options.rates = {"1\x01", "0.5\"\\", "1\xff"};
  std::string out;
  RunTraces(options, 5, out);
  EXPECT_NE(out.find(R"("rates":["1\u0001","0.5\"\\","1\u00ff"])"), std::string::npos) << out.substr(0, 300);
  std::vector<std::string> ends;
  for (const std::string& line : Lines(out)) {
    ASSERT_TRUE(line.front() == '{' && line.back() == '}') << line;
    for (const char c : line) ASSERT_GE(static_cast<unsigned char>(c), 0x20) << line;
    if (line.rfind(R"({"event":"end")", 0) == 0) ends.push_back(line);
  }
  ASSERT_EQ(ends.size(), 3U);
  EXPECT_EQ(ends[0], R"({"event":"end","technique":"Message","completed_ms":6900,"continuous_ms":6750})");
  EXPECT_EQ(ends[1], R"({"event":"end","technique":"Circuit","completed_ms":6375,"continuous_ms":6050})");
  EXPECT_NE(ends[2].find(R"("continuous_ms":4050})"), std::string::npos) << ends[2];
}

TEST(Table, ReadableStepsAndAClosingLine) {
  Options options;
  options.technique = "Circuit";
  std::string out;
  RunTraces(options, 1, out);
  EXPECT_NE(out.find("set-up request   Transmit \u2192 Router A"), std::string::npos) << out;
  EXPECT_NE(out.find("acknowledgement  Receive \u2192 Router B"), std::string::npos);
  EXPECT_NE(out.find("release"), std::string::npos);
  EXPECT_NE(out.find("circuit data"), std::string::npos);
  // Each row names its record: the data passed on from record 1 to 2, the release in 5.
  EXPECT_NE(out.find("    2850  pass              1  circuit data     Transmit \u2192 Router A"),
            std::string::npos);
  EXPECT_NE(out.find("    3100  pass              2  circuit data     Router A \u2192 Router B"),
            std::string::npos);
  EXPECT_NE(out.find("    5650  grant             5  release"), std::string::npos);
  EXPECT_NE(out.find("    2575  bottleneck           rates now 0.5 / 0.5 / 0.5\n"), std::string::npos);
  EXPECT_EQ(Lines(out).back(), "Circuit: the data reached Receive after 6375 ms");
}

TEST(Table, SaysWhenTheDataDidNotArrive) {
  Options options;
  options.size = "1000";
  options.rates = {"0.5", "0.5", "0.5"};
  options.delays = {"200", "200", "200"};
  std::string out;
  const auto outcomes = RunTraces(options, 1, out);
  EXPECT_FALSE(outcomes[0].completed_ms.has_value());
  EXPECT_EQ(Lines(out).back(), "Message: the data did not reach Receive within the run");
}

TEST(Language, AsGettextReadsTheEnvironmentAndLangBeatsIt) {
  struct Case {
    std::map<std::string, std::string> environment;
    std::vector<std::string> args;
    const char* language;
  };
  const std::vector<Case> cases = {
      {{}, {}, "en"},
      {{{"LANG", "de_DE.UTF-8"}}, {}, "de"},
      {{{"LANG", "C.UTF-8"}, {"LANGUAGE", "fr::es_MX:de"}}, {}, "es"},
      {{{"LANG", "C"}, {"LANGUAGE", "de"}}, {}, "en"},
      {{{"LANGUAGE", "de"}}, {}, "en"},
      {{{"LC_ALL", "POSIX"}, {"LANG", "de_DE"}, {"LANGUAGE", "de"}}, {}, "en"},
      {{{"LC_ALL", "es_ES@euro"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "fr_FR"}}, {}, "es"},
      {{{"LC_MESSAGES", "fr_FR"}, {"LANG", "de_DE"}}, {}, "en"},
      {{{"LANG", "fr_FR"}, {"LANGUAGE", "fr:it"}}, {}, "en"},
      {{{"LANG", "de_DE"}}, {"--seed", "1", "--lang", "es"}, "es"},
      {{{"LANG", "es_ES"}}, {"--lang=de"}, "de"},
      {{{"LANG", "de_DE"}}, {"--lang", "xx"}, "de"},
  };
  for (const Case& c : cases) {
    const auto lookup = [&c](const char* name) -> const char* {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    };
    EXPECT_EQ(DriverLanguage(c.args, lookup), c.language) << c.environment.size() << " variables, " << c.args.size()
                                                          << " arguments, expected " << c.language;
  }
}

}  // namespace
}  // namespace switchsim::trace
