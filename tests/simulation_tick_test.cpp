// The tick: when units take, free and pass the links, what it draws, and the
// markers it places at each completion.
#include "simulation/simulation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "simulation/numbers.h"
#include "recording_view.h"
#include "unit_table.h"

namespace switchsim {
namespace {

using ::testing::ElementsAre;
using testing::Rig;
using testing::ScriptedRandom;
using testing::StepRecorder;

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
