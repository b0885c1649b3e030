#include "simulation/simulation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "simulation/numbers.h"
#include "recording_view.h"

namespace switchsim {
namespace {

using ::testing::ElementsAre;
using testing::Rig;
using testing::ScriptedRandom;
using testing::StepRecorder;

const TransferUnit& Record(const Rig& rig, int f) { return rig.State().UnitTable[f]; }

std::vector<int> ActiveRecords(const Rig& rig) {
  std::vector<int> active;
  for (int f = 0; f < kRecordCount; ++f) {
    if (Record(rig, f).Status != kIdle) active.push_back(f);
  }
  return active;
}

// ---------------------------------------------------------------- reset

TEST(Reset, ReturnsEverythingToIdleEvenHalfWayThroughARun) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.ChooseMethod("Packet");
  rig.Start();
  for (int i = 0; i < 40; ++i) rig.simulation.SimulationTick();
  ASSERT_FALSE(ActiveRecords(rig).empty());

  rig.simulation.ResetSimulation();
  EXPECT_EQ(rig.State().ClockMs, 0);
  EXPECT_TRUE(ActiveRecords(rig).empty());
  EXPECT_THAT(rig.State().LinkBusy, ElementsAre(kFalse, kFalse, kFalse, kFalse));
  EXPECT_FALSE(rig.form.TimerEnabled());
  EXPECT_EQ(rig.State().DataReleased, kFalse);
}

TEST(Reset, WritesTheSavedRatesAsShortestTextsInBlack) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  EXPECT_EQ(rig.form.RateText(0), "1");
  EXPECT_EQ(rig.form.RateText(1), "0.5");
  EXPECT_EQ(rig.form.RateText(2), "1");
  for (int k = 0; k < kLinkCount; ++k) {
    EXPECT_EQ(rig.form.RateColour(k), kBlack);
    EXPECT_EQ(rig.form.RateLabelColour(k), kBlack);
  }
}

TEST(Reset, KeepsTheMarkersOfEarlierRunsWhenNoTextChanges) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  const int hides = rig.view.marker_hides;
  rig.Start();
  rig.RunToEnd();
  rig.simulation.ResetSimulation();
  rig.ChooseMethod("Circuit");
  rig.Start();
  EXPECT_EQ(rig.view.marker_hides, hides);
}

// ---------------------------------------------------------------- set-up

struct SetUpCase {
  const char* name;
  const char* technique;
  const char* size;
  std::vector<int> records;
  std::vector<int> blocks;
  bool released;
  Packeting packeting = {};
};

void PrintTo(const SetUpCase& c, std::ostream* os) { *os << c.technique << ' ' << c.size; }

class SetUp : public ::testing::TestWithParam<SetUpCase> {};

TEST_P(SetUp, FillsTheRecordsOfTheTechnique) {
  const SetUpCase& c = GetParam();
  ScriptedRandom random({0.5});
  Rig rig(random);
  rig.ChooseMethod(c.technique);
  rig.ChooseSize(c.size);
  ASSERT_TRUE(rig.form.ChoosePacketing(c.packeting));
  rig.Start();
  EXPECT_EQ(ActiveRecords(rig), c.records);
  std::vector<int> blocks;
  for (const int f : c.records) blocks.push_back(Record(rig, f).Blocks);
  EXPECT_EQ(blocks, c.blocks);
  EXPECT_EQ(rig.State().DataReleased, c.released ? kTrue : kFalse);
  for (const int f : c.records) {
    EXPECT_EQ(Record(rig, f).Link, 0);
    EXPECT_EQ(Record(rig, f).Forward, kTrue);
    EXPECT_EQ(Record(rig, f).StartMs, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Techniques, SetUp,
    ::testing::Values(
        SetUpCase{"Message300", "Message", "300", {1}, {15}, true},
        SetUpCase{"Message1000", "Message", "1000", {1}, {50}, true},
        SetUpCase{"Packet300", "Packet", "300", {1, 2, 3, 4, 5, 6, 7, 8}, {2, 2, 2, 2, 2, 2, 2, 1}, true},
        SetUpCase{"Packet100", "Packet", "100", {1, 2, 3}, {2, 2, 1}, true},
        SetUpCase{"Packet1000", "Packet", "1000", [] { std::vector<int> r(25); for (int i = 0; i < 25; ++i) r[i] = i + 1; return r; }(),
                  std::vector<int>(25, 2), true},
        SetUpCase{"Circuit300", "Circuit", "300", {0, 1, 5}, {1, 15, 1}, false},
        // Packets of p blocks, the last with what remains, each with h blocks of header.
        SetUpCase{"Packet300Of4WithHeader1", "Packet", "300", {1, 2, 3, 4}, {5, 5, 5, 4}, true, {4, 1}},
        SetUpCase{"Packet300Of50", "Packet", "300", {1}, {15}, true, {50, 0}},
        SetUpCase{"Packet100Of1WithHeader10", "Packet", "100", {1, 2, 3, 4, 5}, {11, 11, 11, 11, 11}, true, {1, 10}},
        SetUpCase{"Packet1000Of7", "Packet", "1000", {1, 2, 3, 4, 5, 6, 7, 8}, {7, 7, 7, 7, 7, 7, 7, 1}, true, {7, 0}},
        SetUpCase{"MessageWithHeader3", "Message", "300", {1}, {18}, true, {2, 3}},
        SetUpCase{"CircuitDataCarriesNoHeader", "Circuit", "300", {0, 1, 5}, {1, 15, 1}, false, {5, 4}},
        SetUpCase{"LowerCaseTechnique", "message", "300", {}, {}, false},
        SetUpCase{"NoTechnique", "", "300", {}, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SetUp, APacketingOutOfItsRangesIsRefusedAndTheLastOneStays) {
  ScriptedRandom random({0.5});
  Rig rig(random);
  ASSERT_TRUE(rig.form.ChoosePacketing({3, 2}));
  for (const Packeting bad : {Packeting{0, 0}, Packeting{51, 0}, Packeting{2, -1}, Packeting{2, 11}}) {
    EXPECT_FALSE(rig.form.ChoosePacketing(bad)) << bad.packet_blocks << " " << bad.header_blocks;
  }
  EXPECT_EQ(rig.simulation.packeting(), (Packeting{3, 2}));
}

TEST(SetUp, CircuitRequestIsOnItsLinkAtOnceWithoutTakingIt) {
  ScriptedRandom random({0.5});
  Rig rig(random);
  rig.ChooseMethod("Circuit");
  rig.Start();
  EXPECT_EQ(Record(rig, 0).Status, kOnLink);
  EXPECT_EQ(Record(rig, 0).Kind, kKindSetUpRequest);
  EXPECT_EQ(Record(rig, 0).Colour, kControlPurple);
  EXPECT_EQ(Record(rig, 1).Status, kWaiting);
  EXPECT_EQ(Record(rig, 1).Colour, kCircuitBlue);
  EXPECT_EQ(Record(rig, 5).Kind, kKindPacket);
  EXPECT_EQ(rig.State().LinkBusy[0], kFalse);
}

TEST(SetUp, PacketColourComponentsRoundHalfToEvenAndStayBelow256) {
  // 192 x 2^-7 = 1.5 and 192 x 3 x 2^-7 = 4.5 exactly: the ties go to even.
  ScriptedRandom random({0.0, 0.0078125, 0.0234375, 0.5, 0.999, 0.9999999});
  Rig rig(random);
  rig.ChooseMethod("Packet");
  rig.ChooseSize("100");
  rig.Start();
  EXPECT_EQ(Record(rig, 1).Colour, MakeRgb(64, 66, 68));
  EXPECT_EQ(Record(rig, 2).Colour, MakeRgb(160, 256 - 1, 255));
  EXPECT_EQ(random.draws, 9);
}

// ---------------------------------------------------------------- tick timing

TEST(Tick, MessageOnLinkZeroFollowsItsTimeModel) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.ChooseRate(1, "1.0");
  StepRecorder steps;
  rig.simulation.SetObserver(&steps);
  rig.Start();
  // Granted on the first tick (clock 25): head reaches 1 at t = 250; the last
  // bit leaves after t = 1500 and arrives after t = 1750.
  std::vector<double> heads;
  while (rig.State().ClockMs < 300) {
    rig.simulation.SimulationTick();
    heads.push_back(Record(rig, 1).Head);
  }
  EXPECT_EQ(heads[0], 0.0);
  EXPECT_DOUBLE_EQ(heads[1], 0.1);
  EXPECT_LT(heads[9], 1.0);
  EXPECT_EQ(heads[10], 1.0);
  rig.RunToEnd();
  EXPECT_EQ(steps.Matching("grant")[0], "grant 25 1 0");
  EXPECT_EQ(steps.Matching("free")[0], "free 1550 1 0");
  EXPECT_EQ(steps.Matching("arrive")[0], "arrive 1800 1 0");
}

TEST(Tick, TimerStopsItselfPastTheEndAndThatTickStillDraws) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.ChooseRate(0, "0.5");
  rig.ChooseRate(1, "0.5");
  rig.ChooseRate(2, "0.5");
  rig.ChooseSize("1000");
  rig.Start();
  EXPECT_EQ(rig.RunToEnd(), 601);
  EXPECT_EQ(rig.State().ClockMs, 15025);
  ASSERT_FALSE(rig.view.strokes.empty());
  EXPECT_EQ(rig.view.strokes.back().clock_ms, 15025);
  EXPECT_TRUE(rig.view.completions.empty());
}

TEST(Tick, PauseBeforeAnyStartRunsTheClockOverAnEmptyTable) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.form.SetTimerEnabled(true);
  EXPECT_EQ(rig.RunToEnd(), 601);
  EXPECT_TRUE(rig.view.strokes.empty());
}

TEST(Tick, RandomOrderDecidesWhichWaitingPacketTakesTheMiddleLink) {
  auto first_grants_on_link1 = [](double r) {
    ScriptedRandom random({r});
    Rig rig(random);
    rig.ChooseMethod("Packet");
    rig.ChooseRate(0, "10.0");  // packets pile up at Router A
    StepRecorder steps;
    rig.simulation.SetObserver(&steps);
    rig.Start();
    rig.RunToEnd();
    std::vector<std::string> link1;
    for (const std::string& step : steps.Matching("grant")) {
      if (step.back() == '1') link1.push_back(step.substr(step.find(' ', 6) + 1));
    }
    return link1;
  };
  const auto ascending = first_grants_on_link1(0.2);
  const auto descending = first_grants_on_link1(0.7);
  ASSERT_GE(ascending.size(), 3U);
  EXPECT_EQ(ascending[1], "2 1");
  EXPECT_NE(ascending, descending);
  EXPECT_EQ(descending[1], "8 1");  // the highest-numbered waiting packet wins
}

TEST(Tick, LinkZeroGoesToPacketsInOrder) {
  ScriptedRandom random({0.9});
  Rig rig(random);
  rig.ChooseMethod("Packet");
  StepRecorder steps;
  rig.simulation.SetObserver(&steps);
  rig.Start();
  rig.RunToEnd();
  std::vector<int> order;
  for (const std::string& step : steps.Matching("grant")) {
    if (step.back() == '0') order.push_back(std::stoi(step.substr(step.find(' ', 6) + 1)));
  }
  EXPECT_THAT(order, ElementsAre(1, 2, 3, 4, 5, 6, 7, 8));
}

TEST(Tick, AUnitOfNoBlocksIsNeverDrawnWithALength) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.ChooseSize("10");  // rounds to 0 blocks
  rig.Start();
  rig.RunToEnd();
  ASSERT_FALSE(rig.view.strokes.empty());
  for (const Stroke& stroke : rig.view.strokes) EXPECT_EQ(stroke.head, stroke.tail);
}

TEST(Tick, AWaitingUnitDrawsNothing) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.Start();
  rig.RunToEnd();
  // The message arrives at Router A at 1800 and starts on link 1 at 1825.
  for (const Stroke& stroke : rig.view.strokes) EXPECT_NE(stroke.clock_ms, 1800);
}

// ---------------------------------------------------------------- circuit

TEST(Circuit, RequestAcknowledgementDataAndRelease) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.ChooseMethod("Circuit");
  StepRecorder steps;
  rig.simulation.SetObserver(&steps);
  rig.Start();
  rig.RunToEnd();
  EXPECT_THAT(steps.Matching("pass"), ElementsAre("pass 2850 1 0", "pass 3100 2 1"));
  EXPECT_THAT(steps.Matching("bottleneck"), ElementsAre("bottleneck 2575", "bottleneck 8625"));
  ASSERT_EQ(rig.view.completions.size(), 1U);  // the release unit places none
  EXPECT_EQ(rig.view.completions[0].record, 3);
  EXPECT_EQ(rig.view.completions[0].marker, Marker::Circuit);
  EXPECT_EQ(rig.view.completions[0].clock_ms, 6375);
  EXPECT_EQ(rig.view.completions[0].colour, kCircuitBlue);
  EXPECT_EQ(rig.view.completions[0].y_twips, 1360 + 6375 / 2.0);
}

TEST(Circuit, AcknowledgementIsDrawnMirroredInRed) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.ChooseMethod("Circuit");
  rig.Start();
  rig.RunToEnd();
  const auto acks = std::count_if(rig.view.strokes.begin(), rig.view.strokes.end(),
                                  [](const Stroke& s) { return !s.forward; });
  EXPECT_GT(acks, 0);
  for (const Stroke& s : rig.view.strokes) {
    EXPECT_EQ(!s.forward, s.colour == kAckRed) << s.clock_ms;
  }
}

TEST(Circuit, BottleneckLowersTheFasterLinksInRedAndResetRestoresThem) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.ChooseMethod("Circuit");
  rig.Start();
  const int clears_before = rig.view.trace_clears;
  while (rig.State().DataReleased == kFalse) rig.simulation.SimulationTick();
  EXPECT_EQ(rig.view.trace_clears, clears_before);  // red boxes ignore their change
  EXPECT_EQ(rig.form.RateText(0), "0.5");
  EXPECT_EQ(rig.form.RateText(1), "0.5");
  EXPECT_EQ(rig.form.RateText(2), "0.5");
  EXPECT_EQ(rig.form.RateColour(0), kRed);
  EXPECT_EQ(rig.form.RateColour(1), kBlack);
  EXPECT_EQ(rig.form.RateColour(2), kRed);
  EXPECT_EQ(rig.form.RateLabelColour(0), kRed);
  EXPECT_EQ(rig.form.RateLabelColour(1), kBlack);
  EXPECT_EQ(rig.form.RateLabelColour(2), kRed);
  rig.RunToEnd();  // the second acknowledgement changes nothing
  EXPECT_THAT(rig.State().SavedRates, ElementsAre(1.0, 0.5, 1.0, ::testing::_));

  rig.simulation.ResetSimulation();
  EXPECT_EQ(rig.view.trace_clears, clears_before + 3);
  EXPECT_EQ(rig.form.RateText(0), "1");
  EXPECT_EQ(rig.form.RateText(2), "1");
  for (int k = 0; k < kLinkCount; ++k) {
    EXPECT_EQ(rig.form.RateColour(k), kBlack);
    EXPECT_EQ(rig.form.RateLabelColour(k), kBlack);
  }
}

TEST(Circuit, ARateChosenInARedBoxIsNotRemembered) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.ChooseMethod("Circuit");
  rig.Start();
  while (rig.State().DataReleased == kFalse) rig.simulation.SimulationTick();
  const int hides = rig.view.marker_hides;
  rig.ChooseRate(0, "5.0");
  EXPECT_EQ(rig.State().SavedRates[0], 1.0);
  EXPECT_EQ(rig.view.marker_hides, hides);
  rig.simulation.ResetSimulation();
  EXPECT_EQ(rig.form.RateText(0), "1");
}

TEST(Circuit, BottleneckReadsARateThatIsNotWhollyANumberAsTheTickDoes) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.ChooseMethod("Circuit");
  rig.Start();
  rig.ChooseRate(0, "2abc");  // the tick reads 2
  rig.ChooseRate(1, "abc");   // refused: the tick keeps 0.5
  rig.ChooseRate(2, " 4 ");
  while (rig.State().DataReleased == kFalse) rig.simulation.SimulationTick();
  EXPECT_EQ(rig.form.RateText(0), "0.5");
  EXPECT_EQ(rig.form.RateText(1), "abc");
  EXPECT_EQ(rig.form.RateText(2), "0.5");
  EXPECT_THAT(rig.State().SavedRates, ElementsAre(2.0, 0.5, 4.0, ::testing::_));
}

// ---------------------------------------------------------------- rates

TEST(Rates, AnUnusableTextIsRefusedAndTheRunGoesOnAtTheLastUsableRate) {
  for (const char* text : {"", "abc", "0", "-2", "1e999", "  ", "nan", "inf"}) {
    ScriptedRandom random({0.2});
    Rig rig(random);
    rig.Start();
    for (int i = 0; i < 20; ++i) rig.simulation.SimulationTick();
    rig.ChooseRate(0, text);
    EXPECT_EQ(rig.State().SavedRates[0], 1.0) << text;
    EXPECT_EQ(rig.simulation.TickRate(0), 1.0) << text;
    rig.RunToEnd();
    ASSERT_EQ(rig.view.completions.size(), 1U) << text;
    EXPECT_EQ(rig.view.completions[0].clock_ms, 6900) << text;
    for (const Stroke& s : rig.view.strokes) {
      EXPECT_GE(s.tail, 0.0);
      EXPECT_LE(s.head, 1.0);
    }
  }
}

TEST(Rates, AUsableRateActsAtOnceAndIsRemembered) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  rig.ChooseRate(1, "2e0");
  EXPECT_EQ(rig.State().SavedRates[1], 2.0);
  EXPECT_EQ(rig.simulation.TickRate(1), 2.0);
  rig.simulation.ResetSimulation();
  EXPECT_EQ(rig.form.RateText(1), "2");
}

TEST(Rates, EveryRealChangeOfABlackBoxHidesTheMarkers) {
  ScriptedRandom random({0.2});
  Rig rig(random);
  const int hides = rig.view.marker_hides;
  rig.ChooseRate(0, "1");  // the text it shows already: no change
  EXPECT_EQ(rig.view.marker_hides, hides);
  rig.ChooseRate(0, "1.0");
  EXPECT_EQ(rig.view.marker_hides, hides + 1);
  rig.ChooseDelay(2, "200");
  rig.ChooseSize("500");
  rig.ChooseMethod("Packet");  // the technique box has no handler
  EXPECT_EQ(rig.view.marker_hides, hides + 3);
}

// ---------------------------------------------------------------- markers

TEST(Markers, EachTechniquePlacesItsOwnMarker) {
  struct Case {
    const char* technique;
    std::int16_t kind;
    std::optional<Marker> marker;
  };
  const Case cases[] = {
      {"Message", kKindMessage, Marker::Message}, {"Message", kKindPacket, Marker::Message},
      {"Circuit", kKindCircuitData, Marker::Circuit}, {"Circuit", kKindPacket, std::nullopt},
      {"Circuit", kKindMessage, std::nullopt},    {"Packet", kKindPacket, Marker::Packet},
      {"Other", kKindMessage, std::nullopt},      {"", kKindPacket, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(MarkerFor(c.technique, c.kind), c.marker) << c.technique;
  EXPECT_EQ(MarkerYTwips(6900), 4810.0);
  EXPECT_EQ(MarkerYTwips(14000), 8360.0);  // below the traces, which end at 8050
}

TEST(Markers, PacketMarkerEndsAtTheLastPacketInItsColour) {
  ScriptedRandom random({0.3, 0.6, 0.9});
  Rig rig(random);
  rig.ChooseMethod("Packet");
  rig.Start();
  rig.RunToEnd();
  ASSERT_EQ(rig.view.completions.size(), 8U);
  const Completion& last = rig.view.completions.back();
  EXPECT_EQ(last.colour, Record(rig, last.record).Colour);
  EXPECT_TRUE(std::is_sorted(rig.view.completions.begin(), rig.view.completions.end(),
                             [](const Completion& a, const Completion& b) {
                               return a.clock_ms < b.clock_ms;
                             }));
}

TEST(Markers, ChangingTheTechniqueMidRunNeverCorruptsTheTable) {
  for (const char* later : {"Circuit", "Packet", "Message", "nothing"}) {
    for (const char* first : {"Message", "Circuit", "Packet"}) {
      ScriptedRandom random({0.2, 0.8});
      Rig rig(random);
      rig.ChooseMethod(first);
      rig.Start();
      for (int i = 0; i < 100; ++i) rig.simulation.SimulationTick();
      rig.ChooseMethod(later);
      rig.RunToEnd();
      for (const TransferUnit& unit : rig.State().UnitTable) {
        EXPECT_TRUE(unit.Status >= -1 && unit.Status <= 1);
        EXPECT_TRUE(unit.Link >= 0 && unit.Link <= 2);
      }
    }
  }
}

}  // namespace
}  // namespace switchsim
