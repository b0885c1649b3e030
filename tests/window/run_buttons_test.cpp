// Start/Reset and Pause/Cont: captions, timer and clock.
#include "form_fixture.h"

namespace switchsim::testing {
namespace {

struct ButtonCase {
  const char* name;
  std::vector<int> presses;  // button indices, in order
  const char* first_caption;
  const char* second_caption;
  bool timer_runs;
};

void PrintTo(const ButtonCase& c, std::ostream* out) { *out << c.name; }

using RunButtonsTest = FormTest;

class ButtonPressTest : public FormTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonPressTest, CaptionsAndTimerFollowThePresses) {
  const ButtonCase& c = GetParam();
  for (const int button : c.presses) {
    form().cmdStart_Click(button);
    form().Timer1_Timer();  // the clock moves between presses
  }
  EXPECT_EQ(form().cmdStart[0]->text(), c.first_caption);
  EXPECT_EQ(form().cmdStart[1]->text(), c.second_caption);
  EXPECT_EQ(form().Timer1->isActive(), c.timer_runs);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, ButtonPressTest,
    ::testing::Values(ButtonCase{"Start", {0}, "Reset", "Pause", true},
                      ButtonCase{"Pause", {0, 1}, "Reset", "Cont", false},
                      ButtonCase{"Cont", {0, 1, 1}, "Reset", "Pause", true},
                      ButtonCase{"ResetWhileRunning", {0, 0}, "Start", "Pause", false},
                      ButtonCase{"ResetWhilePaused", {0, 1, 0}, "Start", "Pause", false},
                      ButtonCase{"StartAgain", {0, 0, 0}, "Reset", "Pause", true},
                      ButtonCase{"PauseBeforeStart", {1}, "Start", "Pause", true},
                      ButtonCase{"PauseTwiceBeforeStart", {1, 1}, "Start", "Cont", false},
                      // Start runs the timer, so the second button offers to pause it.
                      ButtonCase{"StartWhileShowingCont", {1, 1, 0}, "Reset", "Pause", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunButtonsTest, ResetReturnsTheClockToZeroAndStartSetsUpTheRun) {
  form().cmdStart_Click(0);
  for (int i = 0; i < 10; ++i) form().Timer1_Timer();
  EXPECT_EQ(form().simulation().State().ClockMs, 250);
  EXPECT_EQ(form().simulation().State().UnitTable[1].Status, kOnLink);

  form().cmdStart_Click(0);
  EXPECT_EQ(form().simulation().State().ClockMs, 0);
  for (const TransferUnit& unit : form().simulation().State().UnitTable) {
    EXPECT_EQ(unit.Status, kIdle);
  }
}

TEST_F(RunButtonsTest, TheTimerStopsItselfOnceTheClockPasses15000Ms) {
  form().cmdStart_Click(0);
  int ticks = 0;
  while (form().Timer1->isActive() && ticks < 1000) {
    form().Timer1_Timer();
    ++ticks;
  }
  EXPECT_EQ(ticks, 601);
  EXPECT_EQ(form().simulation().State().ClockMs, 15025);
  // The run still exists: the buttons offer Reset and Pause.
  EXPECT_EQ(form().cmdStart[0]->text(), "Reset");
  EXPECT_EQ(form().cmdStart[1]->text(), "Pause");
}

}  // namespace
}  // namespace switchsim::testing
