// The unit table as a run sets it up and as Reset leaves it.
#include "simulation/simulation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace switchsim
