// Completion time against one parameter: the runs, the marks, the tables and the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <regex>
#include <string>
#include <variant>
#include <vector>

#include "explore/curve_layout.h"
#include "explore/curve_marks.h"
#include "explore/lab_curve.h"
#include "po/compiled_catalogs.h"
#include "simulation/numbers.h"
#include "tools/options.h"
#include "tools/sweep_command.h"
#include "explore/sweep_tables.h"
#include "pictures/svg_writer.h"
#include "tools/trace_run.h"

namespace switchsim::trace {
namespace {

Options Parsed(const std::vector<std::string>& args) {
  auto parsed = ParseOptions(args);
  if (auto* error = std::get_if<UsageError>(&parsed)) ADD_FAILURE() << error->message;
  return std::get<Options>(parsed);
}

Sweep Finished(const std::vector<std::string>& args) {
  Sweep sweep = SweepOf(Parsed(args));
  sweep.RunNext(sweep.RunCount());
  return sweep;
}

// What the driver's --json run of `p` says: its end event's completed_ms
// (-1 for null) and how many units of data placed a marker.
struct DriverRun {
  long completed_ms = -2;
  long completions = 0;
};

DriverRun DriverRunOf(const RunParameters& p) {
  const auto joined = [](const std::array<std::string, 3>& texts) {
    return texts[0] + "," + texts[1] + "," + texts[2];
  };
  const Options options = Parsed({"--technique", p.technique, "--size", p.size, "--rates", joined(p.rates),
                                  "--delays", joined(p.delays), "--packet",
                                  std::to_string(p.packeting.packet_blocks), "--header",
                                  std::to_string(p.packeting.header_blocks), "--json"});
  std::string out;
  RunTraces(options, p.seed, out);
  DriverRun run;
  const std::regex complete("\"event\":\"complete\"");
  run.completions = std::distance(std::sregex_iterator(out.begin(), out.end(), complete), std::sregex_iterator());
  std::smatch end;
  if (std::regex_search(out, end, std::regex("\"event\":\"end\".*\"completed_ms\":(null|\\d+)"))) {
    run.completed_ms = end[1] == "null" ? -1 : std::stol(end[1]);
  }
  return run;
}

struct SweepCase {
  const char* name;
  std::vector<std::string> args;
};

class SweepRuns : public ::testing::TestWithParam<SweepCase> {};

TEST_P(SweepRuns, EqualTheDriversRunsOfTheSameParametersAndSeed) {
  const Sweep sweep = Finished(GetParam().args);
  ASSERT_TRUE(sweep.Done());
  for (const SweepRun& run : sweep.runs()) {
    const RunParameters p = sweep.ParametersOf(run);
    const DriverRun driver = DriverRunOf(p);
    const auto data_units = static_cast<long>(
        p.technique == "Packet" ? PacketBlocks(BlocksForSize(LeadingNumber(p.size)), p.packeting).size() : 1);
    if (run.simulated_ms) {
      EXPECT_EQ(*run.simulated_ms, driver.completed_ms) << p.technique << " " << ParameterLine(p);
      EXPECT_EQ(driver.completions, data_units);
    } else {
      // Not delivered: no marker, or packets still missing when the run ended.
      EXPECT_LT(driver.completions, data_units) << p.technique << " " << ParameterLine(p);
    }
    EXPECT_EQ(sweep.FormulaMs(run.technique, run.x_index), ContinuousCompletionMs(p.technique, ModelOf(p)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Driver, SweepRuns,
    ::testing::Values(
        SweepCase{"Size", {"--sweep", "size=20:1000:140", "--seeds", "2", "--seed", "3"}},
        // Packets of size 100 arrive at 1625 ms with seeds 1 to 3 and at 1600 with 4 and 5.
        SweepCase{"SeedsThatDiffer", {"--sweep", "size=60:140:40", "--rates", "2,1,5", "--seeds", "5"}},
        SweepCase{"PacketWithHeader",
                  {"--sweep", "packet=1:50:7", "--header", "2", "--size", "500", "--rates", "2,1,5"}},
        SweepCase{"HeaderOfLongPackets", {"--sweep", "header=0:10:5", "--packet", "3", "--size", "1000"}},
        SweepCase{"MiddleRate", {"--sweep", "rate2=0.5:10:2.5", "--delays", "20,100,200", "--seed", "9"}},
        // The message at rate 0.34 arrives on the run's last tick, at 15025 ms.
        SweepCase{"LastTick", {"--sweep", "rate1=0.33:0.35:0.01", "--size", "400", "--delays", "200,200,200"}},
        SweepCase{"LastDelayOfSlowLinks",
                  {"--sweep", "delay3=20:200", "--rates", "0.5,0.5,0.5", "--size", "1000"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SweepRuns, SlowLinksLeaveDataUndeliveredAndMadeInChunks) {
  Sweep sweep = SweepOf(Parsed({"--sweep", "size=900:1000:100", "--rates", "0.5,0.5,0.5", "--seeds", "3"}));
  ASSERT_EQ(sweep.RunCount(), 2u * 3 * 3);
  sweep.RunNext(5);
  EXPECT_EQ(sweep.runs().size(), 5u);
  EXPECT_FALSE(sweep.Done());
  sweep.RunNext(100);
  EXPECT_TRUE(sweep.Done());
  EXPECT_FALSE(sweep.runs().front().simulated_ms) << "Message, 45 blocks at 200 ms each on three links";
  EXPECT_EQ(sweep.runs()[1].seed, 2u);
}

TEST(SweepCsv, HasAHeadingAndOneRowOfFiveFieldsPerRunEachEndingInCrLf) {
  const Sweep sweep = Finished({"--sweep", "size=900:1000:100", "--rates", "0.5,0.5,0.5", "--seeds", "2"});
  const std::string csv = SweepCsv(sweep);
  EXPECT_EQ(csv.substr(0, csv.find('\n') + 1), "size,technique,seed,simulated_ms,formula_ms\r\n");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 12);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\r'), 1 + 12) << "every line ends in CRLF, as RFC 4180 asks";
  EXPECT_EQ(csv.back(), '\n');
  EXPECT_NE(csv.find("\r\n900,Message,1,,27750.0\r\n"), std::string::npos) << csv;
  EXPECT_TRUE(std::regex_search(csv, std::regex("\r\n1000,Packet,2,\\d+,\\d+\\.\\d\r\n"))) << csv;
  EXPECT_NE(SweepTableText(sweep).find("> 15 s"), std::string::npos);
}

struct BadSweep {
  const char* name;
  std::vector<std::string> args;
  const char* message;
};

class SweepRefusals : public ::testing::TestWithParam<BadSweep> {};

TEST_P(SweepRefusals, NameThePartAndWhatIsAllowed) {
  const auto parsed = ParseOptions(GetParam().args);
  ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
  EXPECT_EQ(std::get<UsageError>(parsed).message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SweepRefusals,
    ::testing::Values(
        BadSweep{"NoEquals", {"--sweep", "size"}, "--sweep: \"size\" is not a sweep; give PARAM=FROM:TO:STEP, for example size=20:1000:20"},
        BadSweep{"UnknownParameter", {"--sweep", "rate4=1:2:1"}, "--sweep: \"rate4\" is not a parameter to sweep; use one of size, packet, header, rate1, rate2, rate3, delay1, delay2, delay3"},
        BadSweep{"TwoParts", {"--sweep", "size=20:100"}, "--sweep: \"20:100\" is not a range; give FROM:TO:STEP, for example 20:1000:20"},
        BadSweep{"NotANumber", {"--sweep", "rate1=1:x:1"}, "--sweep: \"x\" is not a number"},
        BadSweep{"Backwards", {"--sweep", "size=100:20:20"}, "--sweep: \"100:20:20\" runs backwards; FROM must not be above TO"},
        BadSweep{"ZeroStep", {"--sweep", "rate1=1:2:0"}, "--sweep: \"0\" is not a step; use a number above 0"},
        BadSweep{"NegativeStep", {"--sweep", "delay1=20:200:-1"}, "--sweep: \"-1\" is not a step; use a number above 0"},
        BadSweep{"SizeNotAMultipleOf20", {"--sweep", "size=30:100:20"}, "--sweep: \"30\" is not a message size; use a multiple of 20 from 20 to 1000"},
        BadSweep{"SizeAbove1000", {"--sweep", "size=20:1020:20"}, "--sweep: \"1020\" is not a message size; use a multiple of 20 from 20 to 1000"},
        BadSweep{"SizeStepNot20", {"--sweep", "size=20:100:10"}, "--sweep: \"10\" is not a step of message size; use a multiple of 20"},
        BadSweep{"PacketZero", {"--sweep", "packet=0:10:1"}, "--sweep: \"0\" is not a packet size; use a whole number of blocks from 1 to 50"},
        BadSweep{"HeaderHalf", {"--sweep", "header=0:10:0.5"}, "--sweep: \"0.5\" is not a step of header size; use a multiple of 1"},
        BadSweep{"RateZero", {"--sweep", "rate1=0:10:1"}, "--sweep: \"0\" is not a rate; use a number above 0"},
        BadSweep{"NoDelayInRange", {"--sweep", "delay2=21:49"}, "--sweep: \"21:49\" holds none of the delays 20, 50, 100, 200"},
        BadSweep{"TooManyPoints", {"--sweep", "rate1=0.01:10:0.001"}, "--sweep: \"0.01:10:0.001\" gives more than 1000 points, the most a sweep takes"},
        BadSweep{"OnePointTooMany", {"--sweep", "rate1=1:1001:1"}, "--sweep: \"1:1001:1\" gives more than 1000 points, the most a sweep takes"},
        BadSweep{"SeedsZero", {"--sweep", "size=20:40:20", "--seeds", "0"}, "--seeds: \"0\" is not a number of seeds; use a whole number from 1 to 100"},
        BadSweep{"SeedsPastTheLargest", {"--sweep", "size=20:40:20", "--seed", "18446744073709551614", "--seeds", "3"}, "--seeds: 3 seeds from 18446744073709551614 go past the largest seed, 18446744073709551615"},
        BadSweep{"SeedsWithoutSweep", {"--seeds", "3"}, "--seeds: goes with --sweep, which was not asked for"},
        BadSweep{"CsvWithoutSweep", {"--csv"}, "--csv: prints a table as CSV, but none was asked for; add --timing or --sweep"},
        BadSweep{"SweepWithAdditions", {"--sweep", "size=20:40:20", "--svg", "a.svg", "--additions"}, "--additions: does not go with --sweep, which runs all three techniques"},
        BadSweep{"SweepWithTechnique", {"--technique", "Packet", "--sweep", "size=20:40:20"}, "--technique: does not go with --sweep, which runs all three techniques"},
        BadSweep{"SweepWithJson", {"--sweep", "size=20:40:20", "--json"}, "--json: does not go with --sweep, which runs all three techniques"},
        BadSweep{"SweptSizeGiven", {"--size", "300", "--sweep", "size=20:40:20"}, "--size: --sweep size=... sets it itself"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SweepRange, TakesTheValuesAsTypedUpToTheMostPoints) {
  const auto read = ReadSweepRange("rate3=0.1:100:0.1");
  ASSERT_TRUE(std::holds_alternative<SweepRange>(read));
  const SweepRange& spec = std::get<SweepRange>(read);
  ASSERT_EQ(spec.values.size(), 1000u);
  EXPECT_EQ(spec.values[2], 0.3);
  EXPECT_EQ(spec.values.back(), 100.0);
  EXPECT_EQ(SweepParameterName(spec), "rate3");
  EXPECT_EQ(std::get<SweepRange>(ReadSweepRange("delay1=30:200:7")).values, (std::vector<double>{50, 100, 200}));
}

// Rates 1,1,1 and delays 20: a block takes 100 ms on a link and a link 100 ms
// to cross, so for M blocks the message takes 300 M + 300 ms, the circuit
// 1200 + 100 M + 300 ms and packets of two 100 M + 700 ms (M even, above 2).
// Message and circuit are equal at M = 6, a size of 120; packet and message
// are equal at sizes 20 and 40, before which neither was faster.
TEST(CurveMarks, CircuitOvertakesMessageWhereTheFormulasMeet) {
  for (const char* range : {"size=20:140:40", "size=20:1000:100"}) {
    const Sweep sweep = Finished({"--sweep", range, "--rates", "1,1,1", "--delays", "20,20,20"});
    const std::vector<Overtake> overtakes = FindOvertakes(sweep);
    ASSERT_EQ(overtakes.size(), 1u) << range;
    EXPECT_EQ(overtakes[0].faster, 1);
    EXPECT_EQ(overtakes[0].slower, 0);
    EXPECT_DOUBLE_EQ(overtakes[0].x, 120);
    EXPECT_DOUBLE_EQ(overtakes[0].ms, 2100);
    EXPECT_EQ(MarkTexts(sweep), std::vector<std::string>{
                                    "Circuit overtakes Message at message size \u2248 120 units (2100 ms)"});
  }
}

// Size 200 (M = 10 blocks), rates 1,1,1, delays d,20,20: the message takes
// 3000 + 5 d + 200 ms, the circuit 1000 + 10 d + 1000 + 5 d + 200 ms. They
// are equal at d = 100, on a point of the list: the message is the faster after it.
TEST(CurveMarks, MessageOvertakesCircuitOnThePointWhereTheyAreEqual) {
  const Sweep sweep = Finished({"--sweep", "delay1=20:200", "--size", "200", "--rates", "1,1,1",
                                "--delays", "20,20,20"});
  const std::vector<Overtake> overtakes = FindOvertakes(sweep);
  ASSERT_EQ(overtakes.size(), 1u);
  EXPECT_EQ(MarkTexts(sweep), std::vector<std::string>{
                                  "Message overtakes Circuit at delay of link 1 \u2248 100 (3700 ms)"});
}

TEST(CurveMarks, OptimalPacketIsTheLeastOfEveryWholeSize) {
  std::mt19937 random(7);
  const auto pick = [&](auto... values) {
    const std::array<double, sizeof...(values)> all = {static_cast<double>(values)...};
    return all[random() % all.size()];
  };
  for (int i = 0; i < 200; ++i) {
    RunParameters base{"Packet", ShortestText(20 * (1 + random() % 50)), {}, {}, 1, {}};
    for (int k = 0; k < 3; ++k) {
      base.rates[k] = ShortestText(pick(0.5, 1, 2, 5, 10, 0.7, 3.3));
      base.delays[k] = ShortestText(pick(20, 50, 100, 200));
    }
    base.packeting.header_blocks = static_cast<int>(random() % 11);
    // A coarse sweep: the optimum lies between its points as often as on them.
    SweepRange spec = std::get<SweepRange>(ReadSweepRange("packet=1:50:7"));
    spec.values.push_back(50);
    const Sweep sweep(spec, base, 1, 1);
    const auto optimum = SweepOptimum(sweep);
    ASSERT_TRUE(optimum);
    double least = std::numeric_limits<double>::infinity();
    int least_p = 0;
    for (int p = 1; p <= 50; ++p) {
      RunParameters tried = base;
      tried.packeting.packet_blocks = p;
      const double ms = ContinuousCompletionMs("Packet", ModelOf(tried));
      if (ms < least) {
        least = ms;
        least_p = p;
      }
    }
    EXPECT_EQ(optimum->packet_blocks, least_p) << ParameterLine(base);
    EXPECT_EQ(optimum->ms, least) << ParameterLine(base);
  }
}

// Equal rates R = 1 on L = 3 links, delays 20, M = 50 blocks (size 1000),
// h = 1 header block. With equal links the last packet leaves after all of
// them have been sent once and the largest twice more: T(p) = 100 (sum of
// packet blocks) + 2 x 100 (p + 1) + 3 x 100 ms. p = 5: ten packets of 6,
// 6000 + 1200 + 300 = 7500 ms; p = 4: twelve of 5 and one of 3, 6300 + 1000
// + 300 = 7600; p = 6: eight of 7 and one of 3, 5900 + 1400 + 300 = 7600.
// The textbook optimum, sqrt(M h / (L - 1)) = sqrt(50 / 2) = 5, agrees.
TEST(CurveMarks, OptimalPacketOfEqualLinksIsTheTextbookOne) {
  const Sweep sweep = Finished({"--sweep", "packet=1:50:1", "--size", "1000", "--header", "1", "--rates",
                                "1,1,1", "--delays", "20,20,20"});
  const auto optimum = SweepOptimum(sweep);
  ASSERT_TRUE(optimum);
  EXPECT_EQ(optimum->packet_blocks, 5);
  EXPECT_EQ(optimum->ms, 7500);
  EXPECT_EQ(sweep.FormulaMs(2, 3), 7600);
  EXPECT_EQ(sweep.FormulaMs(2, 5), 7600);
  EXPECT_EQ(MarkTexts(sweep).back(), "Least packet formula: 5 blocks, 7500 ms");
}

TEST(CurveLayout, PointsStayInsideThePlotAndUndeliveredOnesInTheBandAbove) {
  long undelivered = 0;
  // Slow first links leave long messages undelivered; a single small message
  // comes later than any formula of the sweep says.
  const std::array<std::array<const char*, 2>, 4> cases = {{{"rate1=0.5:10:0.5", "1,1,1"},
                                                             {"size=20:1000:20", "0.5,1,1"},
                                                             {"delay2=20:20", "1,1,1"},
                                                             {"size=20:20:20", "1,1,1"}}};
  for (const auto& [range, rates] : cases) {
    const Sweep sweep = Finished({"--sweep", range, "--seeds", "3", "--rates", rates});
    const CurveLayout layout(sweep);
    const CurveLayout::Plot& plot = layout.plot();
    ASSERT_EQ(layout.points().size(), sweep.RunCount()) << range;
    for (const CurveLayout::PlacedPoint& point : layout.points()) {
      const SweepRun& run = sweep.runs()[point.run];
      EXPECT_EQ(point.delivered, run.simulated_ms.has_value());
      const double top = point.delivered ? plot.top : plot.band_top;
      const double bottom = point.delivered ? plot.bottom : plot.band_bottom;
      EXPECT_TRUE(point.at.x > plot.left && point.at.x < plot.right && point.at.y >= top &&
                  point.at.y <= bottom)
          << range << " run " << point.run << " at " << point.at.x << "," << point.at.y;
      // A click 5 px away finds this point, one nearer still, or a mark on it.
      const DrawPoint click{point.at.x + 4, point.at.y - 3};
      const CurvePick near = layout.Pick({click, Pointer::Mouse, 1.0});
      ASSERT_NE(near.kind, CurvePick::Kind::Nothing);
      if (near.kind == CurvePick::Kind::Run) {
        const DrawPoint found = layout.points()[near.index].at;
        EXPECT_LE(std::hypot(found.x - click.x, found.y - click.y), 5 + 1e-9);
      }
    }
    for (const DrawItem& item : layout.drawing().items) {
      if (const auto* line = std::get_if<DrawPolyline>(&item)) {
        for (const DrawPoint& at : line->points) {
          EXPECT_TRUE(at.y >= plot.top - 1e-9 && at.y <= plot.bottom && at.x >= plot.left && at.x <= plot.right)
              << range << " formula at " << at.x << "," << at.y;
        }
      }
    }
    EXPECT_EQ(layout.Pick({{plot.left - 40, plot.top}, Pointer::Touch, 1.0}).kind, CurvePick::Kind::Nothing);
    undelivered += std::count_if(layout.points().begin(), layout.points().end(),
                                 [](const auto& point) { return !point.delivered; });
  }
  EXPECT_GT(undelivered, 0) << "the band above the plot was not tried";
}

// The curves, their tables and refusals in the pseudo-language, which
// brackets every text of the catalog and writes a decimal comma.
class SweepInPseudoLanguage : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(UseCompiledLanguage("pseudo")); }
  void TearDown() override { UseCompiledLanguage("en"); }

  // The lines of `text` (or `texts`) with a letter but no bracket: a text left out of the catalog.
  static std::vector<std::string> Unbracketed(const std::vector<std::string>& texts) {
    std::vector<std::string> left;
    for (const std::string& text : texts) {
      // A word, not a number's exponent ("1e-06").
      const bool word = std::adjacent_find(text.begin(), text.end(), [](char a, char b) {
                          return std::isalpha(a) != 0 && std::isalpha(b) != 0;
                        }) != text.end();
      if (word && text.find('[') == std::string::npos) left.push_back(text);
    }
    return left;
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = std::min(text.find('\n', at), text.size());
      lines.push_back(text.substr(at, end - at));
      at = end + 1;
    }
    return lines;
  }
  static std::vector<std::string> Texts(const Drawing& drawing) {
    std::vector<std::string> texts = {drawing.title, drawing.description};
    for (const DrawItem& item : drawing.items) {
      if (const auto* text = std::get_if<DrawText>(&item)) texts.push_back(text->text);
    }
    return texts;
  }
  static std::string English(const std::function<std::string()>& make) {
    UseCompiledLanguage("en");
    std::string text = make();
    UseCompiledLanguage("pseudo");
    return text;
  }
};

TEST_F(SweepInPseudoLanguage, CurvesAndTablesSpeakItWithDecimalCommasAndTheCsvStaysEnglish) {
  const std::regex comma("\\d,\\d");
  const Sweep sweep = Finished({"--sweep", "packet=1:8:1", "--size", "200", "--seeds", "2"});
  QueueSetting queue;
  queue.packets = 2000;
  LabSweep lab(std::get<LabSweepRange>(ReadLabSweepRange("intensity=0.2:0.8:0.3")), ShareSetting{}, queue, 1, 2);
  lab.RunNext(kMostLabSweepSteps);
  const CurveLayout sweep_layout(sweep);
  ASSERT_FALSE(sweep_layout.marks().empty());
  for (const Drawing& drawing : {sweep_layout.drawing(), CurveLayout(LabCurveData(lab)).drawing()}) {
    EXPECT_EQ(Unbracketed(Texts(drawing)), std::vector<std::string>()) << drawing.title;
    EXPECT_TRUE(std::regex_search(SvgText(drawing), comma)) << drawing.title;
  }
  EXPECT_EQ(sweep_layout.MarkSaid(0).front(), '[');
  for (const std::string& table : {SweepTableText(sweep), LabSweepTableText(lab)}) {
    EXPECT_EQ(Unbracketed(Lines(table)), std::vector<std::string>()) << table;
    EXPECT_TRUE(std::regex_search(table, comma)) << table;
  }
  EXPECT_EQ(SweepCsv(sweep), English([&] { return SweepCsv(sweep); }));
  EXPECT_EQ(LabSweepCsv(lab), English([&] { return LabSweepCsv(lab); }));
}

TEST_F(SweepInPseudoLanguage, RefusalsSpeakIt) {
  std::vector<std::string> refusals;
  for (const char* bad : {"size", "rate4=1:2:1", "size=20:100", "rate1=1:x:1", "size=100:20:20", "rate1=1:2:0",
                          "size=30:100:20", "size=20:100:10", "rate1=0:10:1", "delay2=21:49", "rate1=1:1001:1"}) {
    refusals.push_back(std::get<std::string>(ReadSweepRange(bad)));
  }
  for (const char* bad : {"speed=1:2:1", "users=0:5:1", "intensity=0.5:1:0.1"}) {
    refusals.push_back(std::get<std::string>(ReadLabSweepRange(bad)));
  }
  const LabSweepRange users = std::get<LabSweepRange>(ReadLabSweepRange("users=1:1000:1"));
  refusals.push_back(LabSweepRefusal(users, ShareSetting{}, QueueSetting{}, 0).value_or(""));
  refusals.push_back(LabSweepRefusal(users, ShareSetting{}, QueueSetting{}, 100).value_or(""));
  for (const std::string& refusal : refusals) {
    EXPECT_TRUE(refusal.front() == '[' && refusal.back() == ']') << refusal;
  }
}

}  // namespace
}  // namespace switchsim::trace
