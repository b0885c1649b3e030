// The rates: a circuit's run lowering the faster links to the slowest, and
// the texts typed in the rate boxes, used or refused.
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

}  // namespace
}  // namespace switchsim
