// The classroom's view of the form on the driver's surface: seeds, the run
// log against the driver's, speed and step, and the status texts.
#include <gtest/gtest.h>

#include "classroom/classroom.h"
#include "form/run_pacer.h"
#include "lesson.h"

namespace switchsim {
namespace {

using testing::DriverLog;
using testing::Lesson;

TEST(Classroom, EveryRunIsTheDriversRunOfItsCommand) {
  Lesson lesson(7);
  struct Run {
    const char* technique;
    const char* size;
    std::array<const char*, 3> rates;
  };
  // One window, run after run: typed rates, a circuit that turns boxes red,
  // packets that draw random numbers.
  for (const Run& run : {Run{"Packet", "500", {"2.50", "0.5", "10.0"}},
                         Run{"Circuit", "300", {"5.0", "0.5", "1e1"}},
                         Run{"Message", "100", {"1.0", "2.0", "0.5"}},
                         Run{"Message", "1000", {"0.5", "0.5", "0.5"}}}) {
    if (lesson.form.RunExists()) lesson.Start();  // Reset
    for (int k = 0; k < kLinkCount; ++k) lesson.Type(k, run.rates[k]);
    lesson.form.Choose(kSizeBox, run.size);
    lesson.form.Choose(DelayBox(2), "20");
    lesson.form.Choose(kMethodBox, run.technique);
    lesson.Start();
    lesson.RunToEnd();
    const RunParameters& parameters = *lesson.classroom.CurrentRun();
    EXPECT_EQ(lesson.classroom.RunLogText(), DriverLog(parameters)) << TraceCommand(parameters);
  }
  ASSERT_EQ(lesson.classroom.Results().size(), 3U);  // the last run delivers nothing in 15 s
  EXPECT_EQ(lesson.classroom.Results().back().parameters.seed, 7U);
  EXPECT_EQ(lesson.classroom.Results().front().parameters.seed, 102U);
  EXPECT_EQ(lesson.classroom.CurrentRun()->seed, 103U);
}

TEST(Classroom, TakesAPacketOrHeaderSizeForTheNextStartOrSaysWhyNot) {
  Lesson lesson(5);
  lesson.form.Choose(kMethodBox, "Packet");
  lesson.Start();
  struct Choice {
    bool header;
    const char* text;
    bool taken;
    const char* notice;
  };
  for (const Choice& c : {Choice{false, "5", true, "Packets of 5 blocks, header 0 blocks: from the next Start"},
                          Choice{true, "1", true, "Packets of 5 blocks, header 1 block: from the next Start"},
                          Choice{true, "11", false, "Header size: \"11\" is not a header size; use a whole number of blocks from 0 to 10"},
                          Choice{false, "abc", false, "Packet size: \"abc\" is not a packet size; use a whole number of blocks from 1 to 50"},
                          Choice{false, "0", false, "Packet size: \"0\" is not a packet size; use a whole number of blocks from 1 to 50"}}) {
    EXPECT_EQ(lesson.classroom.ChoosePacketing(c.header, c.text), c.taken) << c.text;
    EXPECT_EQ(lesson.classroom.Notice(), c.notice);
  }
  // The run under way keeps its packets of two blocks; the next one takes the sizes.
  EXPECT_EQ(lesson.form.simulation().State().UnitTable[1].Blocks, 2);
  lesson.Start();  // Reset
  lesson.Start();
  lesson.RunToEnd();
  const RunParameters& parameters = *lesson.classroom.CurrentRun();
  EXPECT_EQ(parameters.packeting, (Packeting{5, 1}));
  EXPECT_EQ(lesson.classroom.RunLogText(), DriverLog(parameters)) << TraceCommand(parameters);
  ASSERT_EQ(lesson.classroom.Results().size(), 1U);
  const auto cells = ResultCells(lesson.classroom.Results().front());
  EXPECT_EQ(cells[4] + " " + cells[5], "5 1");
}

// Drives the timer from a simulated wall clock that wakes `wake_ms` apart.
std::string PacedLog(double speed, double wake_ms, double speed_later = 0.0) {
  Lesson lesson(11);
  lesson.form.Choose(kMethodBox, "Packet");
  RunPacer pacer;
  pacer.SetSpeed(speed, 0.0);
  double now = 0.0;
  lesson.Start();
  pacer.Start(now);
  while (lesson.form.TimerEnabled()) {
    now += wake_ms;
    if (speed_later > 0 && now > 1000 && pacer.Speed() != speed_later) pacer.SetSpeed(speed_later, now);
    for (long due = pacer.DueTicks(now); due > 0 && lesson.form.TimerEnabled(); --due) {
      pacer.Ticked();
      lesson.form.Timer1_Timer();
    }
  }
  return lesson.classroom.RunLogText();
}

TEST(Classroom, SpeedAndStepChangeNothingInARunsLog) {
  const std::string normal = PacedLog(1.0, 25.0);
  EXPECT_EQ(PacedLog(0.25, 7.0), normal);
  EXPECT_EQ(PacedLog(4.0, 13.0), normal);   // late wake-ups run several ticks
  EXPECT_EQ(PacedLog(2.0, 3.0, 0.5), normal);

  Lesson stepped(11);
  stepped.form.Choose(kMethodBox, "Packet");
  stepped.Start();
  stepped.form.cmdStart_Click(1);  // Pause
  int steps = 0;
  for (; stepped.classroom.CanStep(); ++steps) stepped.classroom.Step();
  EXPECT_EQ(steps, 601);
  EXPECT_EQ(stepped.classroom.RunLogText(), normal);
  stepped.classroom.Step();  // past the end: nothing
  EXPECT_EQ(stepped.form.simulation().State().ClockMs, 15025);
}

TEST(RunPacer, KeepsTicksOnTheWallClockAtEverySpeed) {
  struct Case {
    double speed;
    double at_ms;
    long due;
  };
  for (const Case& c : {Case{1, 24.9, 0}, Case{1, 25, 1}, Case{1, 15000, 600}, Case{4, 6.25, 1},
                        Case{4, 3750, 600}, Case{0.25, 99, 0}, Case{0.25, 1000, 10}}) {
    RunPacer pacer;
    pacer.SetSpeed(c.speed, 0);
    pacer.Start(0);
    EXPECT_EQ(pacer.DueTicks(c.at_ms), c.due) << c.speed << " at " << c.at_ms;
  }
  RunPacer pacer;
  pacer.Start(100);
  EXPECT_EQ(pacer.NextDueMs(), 125);
  pacer.Ticked();
  EXPECT_EQ(pacer.DueTicks(149), 0);
  pacer.SetSpeed(4, 400);  // long overdue: one tick at once, then every 6.25 ms
  EXPECT_EQ(pacer.DueTicks(400), 1);
  EXPECT_EQ(pacer.DueTicks(412.5), 3);
}

TEST(Classroom, SaysWhatTheRunIsDoing) {
  Lesson lesson(1);
  EXPECT_EQ(lesson.classroom.PhaseText(), "Ready");
  EXPECT_EQ(lesson.classroom.ClockText(), "t = 0.000 s");
  EXPECT_FALSE(lesson.classroom.CanStep());
  lesson.form.Choose(kSizeBox, "1000");
  lesson.Start();
  EXPECT_EQ(lesson.classroom.PhaseText(), "Running");
  EXPECT_FALSE(lesson.classroom.CanStep());
  for (int tick = 0; tick < 130; ++tick) lesson.form.Timer1_Timer();
  EXPECT_EQ(lesson.classroom.ClockText(), "t = 3.250 s");
  lesson.form.Timer1_Timer();
  EXPECT_EQ(lesson.classroom.ClockText(), "t = 3.275 s");
  lesson.form.cmdStart_Click(1);
  EXPECT_EQ(lesson.classroom.PhaseText(), "Paused");
  lesson.form.cmdStart_Click(1);
  lesson.RunToEnd();
  EXPECT_EQ(lesson.classroom.PhaseText(), "Ended at 15.025 s");
  EXPECT_EQ(lesson.classroom.Notice(), "Ended at 15.025 s: the data was not delivered within 15 s");
  EXPECT_TRUE(lesson.classroom.Results().empty());
  lesson.Start();  // Reset
  EXPECT_EQ(lesson.classroom.PhaseText(), "Ready");
  lesson.form.cmdStart_Click(1);  // Pause before Start lets the clock run empty
  EXPECT_EQ(lesson.classroom.Phase(), RunPhase::EmptyClock);
}

// A second run starts afresh: its own seed, log, result and notices.
TEST(Classroom, ASecondRunStartsAfresh) {
  Lesson lesson(3);
  lesson.form.Choose(kMethodBox, "Circuit");
  lesson.Start();
  lesson.form.Timer1_Timer();
  lesson.form.Choose(DelayBox(0), "20");  // during the first run only
  lesson.RunToEnd();
  lesson.Start();  // Reset
  lesson.Start();
  const int notices = lesson.classroom.NoticeCount();
  lesson.RunToEnd();
  ASSERT_EQ(lesson.classroom.Results().size(), 2U);
  EXPECT_FALSE(lesson.classroom.Results().front().changed);
  EXPECT_TRUE(lesson.classroom.Results().back().changed);
  EXPECT_EQ(lesson.classroom.RunLogText(), DriverLog(*lesson.classroom.CurrentRun()));
  // The circuit lowers the rates again, and says so again.
  EXPECT_NE(lesson.classroom.NoticesSince(notices).find("links 1 and 3 lowered to 0.5"),
            std::string::npos);
}

}  // namespace
}  // namespace switchsim
