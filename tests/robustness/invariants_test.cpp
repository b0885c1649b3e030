// The checker itself: a clean run passes, and each kind of broken state it
// is meant to catch is caught.
#include "invariants.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "simulation/random_source.h"
#include "simulation/simulation.h"
#include "form/form_logic.h"

namespace switchsim::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

struct Bench {
  Bench() : random(7), form(view, random), simulation(form.simulation()) {
    form.SetListener(&view);
    form.Form_Load();
  }
  void Start() {
    simulation.ResetSimulation();
    simulation.SetUpTransfer();
    form.SetTimerEnabled(true);
  }
  MarkerView view;
  Mt64Random random;
  FormLogic form;
  Simulation& simulation;
  WindowFacts facts;
};

TEST(Checker, FindsNothingWrongInWholeRunsOfEveryTechnique) {
  for (const auto technique : lists::kMethodItems) {
    Bench bench;
    InvariantChecker checker(bench.simulation, bench.form, [&] { return bench.view.Facts(); });
    bench.form.Choose(kMethodBox, technique);
    bench.Start();
    checker.NoteReset();
    checker.NoteRunStarted();
    ASSERT_THAT(checker.Check(), IsEmpty());
    while (bench.form.TimerEnabled()) {
      bench.simulation.SimulationTick();
      checker.NoteTick();
      ASSERT_THAT(checker.Check(), IsEmpty()) << technique << " at " << bench.simulation.State().ClockMs;
    }
    ASSERT_FALSE(bench.view.completions.empty()) << technique;
    bench.simulation.ResetSimulation();
    checker.NoteReset();
    EXPECT_THAT(checker.CheckAfterReset(), IsEmpty()) << technique;
  }
}

struct Fault {
  const char* name;
  // Breaks something after a started run's first tick; `checker` was told of that tick.
  std::function<void(Bench&, InvariantChecker&)> breaks;
  bool after_reset;  // checked with CheckAfterReset
  const char* expected;
};

void PrintTo(const Fault& fault, std::ostream* os) { *os << fault.name; }

class CheckerFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(CheckerFaults, AreReported) {
  Bench bench;
  InvariantChecker checker(bench.simulation, bench.form, [&] {
    WindowFacts facts = bench.facts;
    facts.markers = bench.view.markers;
    return facts;
  });
  bench.facts.captions = {{"Reset", "Pause"}};
  bench.Start();
  checker.NoteReset();
  checker.NoteRunStarted();
  bench.simulation.SimulationTick();
  checker.NoteTick();
  ASSERT_THAT(checker.Check(), IsEmpty());

  GetParam().breaks(bench, checker);
  const auto violations = GetParam().after_reset ? checker.CheckAfterReset() : checker.Check();
  ASSERT_THAT(violations, Not(IsEmpty()));
  EXPECT_THAT(Describe(violations), HasSubstr(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CheckerFaults,
    ::testing::Values(
        Fault{"TickNotCounted", [](Bench& b, InvariantChecker&) { b.simulation.SimulationTick(); },
              false, "ClockMs is 50, but the ticks since the last reset make 25"},
        Fault{"ResetNotSeen",
              [](Bench& b, InvariantChecker&) { b.simulation.ResetSimulation(); }, false,
              "ClockMs is 0, but the ticks since the last reset make 25"},
        Fault{"RedBoxAfterReset",
              [](Bench& b, InvariantChecker& c) {
                b.simulation.ResetSimulation();
                c.NoteReset();
                b.facts.captions = {{"Start", "Pause"}};
                b.form.SetRateColour(1, kRed);
              },
              true, "link 1: the rate box is 255,0,0 after a reset, not black"},
        Fault{"RedLabelAfterReset",
              [](Bench& b, InvariantChecker& c) {
                b.simulation.ResetSimulation();
                c.NoteReset();
                b.facts.captions = {{"Start", "Pause"}};
                b.form.SetRateLabelColour(2, kRed);
              },
              true, "link 2: the Bit-Rate label is 255,0,0 after a reset"},
        Fault{"TimerLeftRunning",
              [](Bench& b, InvariantChecker& c) {
                b.simulation.ResetSimulation();
                c.NoteReset();
                b.facts.captions = {{"Start", "Pause"}};
                b.form.SetTimerEnabled(true);
              },
              true, "the timer runs after a reset"},
        Fault{"RecordsLeftBusy", [](Bench&, InvariantChecker&) {}, true, "record 1: not idle after a reset"},
        Fault{"RateTextNotRestored",
              [](Bench& b, InvariantChecker& c) {
                b.simulation.ResetSimulation();
                c.NoteReset();
                b.facts.captions = {{"Start", "Pause"}};
                b.form.SetRateColour(0, kRed);
                b.form.Choose(RateBox(0), "abc");
                b.form.SetRateColour(0, kBlack);
              },
              true, "link 0: the rate box shows \"abc\" after a reset, not the saved rate \"1\""},
        Fault{"StrayCaption",
              [](Bench& b, InvariantChecker&) { b.facts.captions = {{"Reset", "Paused"}}; }, false,
              "cmdStart(1) reads \"Paused\", not \"Pause\" or \"Cont\""},
        Fault{"StartWhileARunExists",
              [](Bench& b, InvariantChecker&) { b.facts.captions = {{"Start", "Pause"}}; }, false,
              "cmdStart(0) reads \"Start\" while a run exists"},
        Fault{"MarkerKeptAfterADelayChange",
              [](Bench& b, InvariantChecker&) {
                b.form.Choose(DelayBox(0), "200");
                b.view.markers[0] = MarkerFacts{true, 4810};
              },
              false, "the message marker is shown after a box's change handler acted"},
        Fault{"MarkerAtTheWrongHeight",
              [](Bench& b, InvariantChecker& c) {
                b.simulation.SimulationTick();
                c.NoteTick();
                b.view.markers[2] = MarkerFacts{true, 1400};
              },
              false, "the packet marker was placed at 1400 twips, not at 1385 for the completion at 50 ms"},
        Fault{"MarkerWithoutATick",
              [](Bench& b, InvariantChecker&) { b.view.markers[1] = MarkerFacts{true, 1372.5}; },
              false, "(and no tick happened)"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace switchsim::testing
