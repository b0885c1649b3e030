// What the classroom says: each step of a run aloud, the markers' texts,
// typed rates read or refused, and the changes that clear the traces.
#include <gtest/gtest.h>

#include <string>

#include "classroom/classroom.h"
#include "lesson.h"

namespace switchsim {
namespace {

using testing::DriverLog;
using testing::Lesson;

// What a listener hears: every step of a run as a sentence, and each
// marker's completion as its text.
TEST(Classroom, SaysEachStepAloudAndWhatTheMarkersMean) {
  Lesson lesson(1);
  int heard = lesson.classroom.NoticeCount();
  const auto said = [&] {
    const std::string text = lesson.classroom.NoticesSince(heard);
    heard = lesson.classroom.NoticeCount();
    return text;
  };
  lesson.Start();
  lesson.Start();  // Reset before any marker: none to stay
  const std::string reset = said();
  EXPECT_EQ(reset.substr(reset.size() - 31), ". Reset: the traces are cleared") << reset;
  EXPECT_EQ(lesson.classroom.MarkerText(Marker::Circuit), "Circuit marker, not placed");
  lesson.form.Choose(kMethodBox, "Circuit");
  lesson.Start();
  EXPECT_EQ(said().rfind("Started Circuit: ", 0), 0U);
  while (lesson.form.RateColour(0) != kRed) lesson.form.Timer1_Timer();
  EXPECT_EQ(said(), "The circuit runs at the slowest link's rate: links 1 and 3 lowered to 0.5");
  lesson.form.cmdStart_Click(1);
  lesson.form.cmdStart_Click(1);
  const std::string clock = lesson.classroom.ClockText();
  EXPECT_EQ(said(), "Paused at " + clock + ". Continued at " + clock);
  lesson.RunToEnd();
  EXPECT_EQ(said(),
            "Circuit: 6375 ms, formula 6050 ms. Ended at 15.025 s; Circuit: 6375 ms, formula 6050 ms");
  EXPECT_EQ(lesson.classroom.MarkerText(Marker::Circuit),
            "Circuit completed at 6375 ms, formula 6050 ms");
  lesson.Start();  // Reset
  EXPECT_EQ(said(), "Reset: the traces are cleared, the markers stay");

  lesson.form.Choose(kMethodBox, "Packet");
  lesson.Start();
  while (!lesson.form.Markers()[static_cast<int>(Marker::Packet)].visible) {
    lesson.form.Timer1_Timer();
  }
  EXPECT_EQ(lesson.classroom.MarkerText(Marker::Packet), "Packet data arriving");
  said();
  lesson.form.Choose(DelayBox(1), "20");
  EXPECT_EQ(said(), "The delay of link 2 changed: traces and markers cleared, the run goes on");
  lesson.form.Choose(DelayBox(1), "50");  // nothing left to clear: nothing said
  EXPECT_EQ(said(), "");
}

TEST(Classroom, ARefusedRateNamesTheLinkAndBringsBackWhatTheBoxHeldBefore) {
  Lesson lesson(1);
  lesson.Type(0, "1e400");  // "1e40" was usable on the way
  lesson.form.RateEditingFinished(0);
  EXPECT_EQ(lesson.form.RateText(0), "1");  // as the box showed it
  EXPECT_EQ(lesson.form.simulation().State().SavedRates[0], 1.0);
  EXPECT_EQ(lesson.classroom.Notice(), "\"1e400\" is not a usable rate: link 1 keeps 1");
  lesson.Type(1, "abc");
  lesson.form.RateEditingFinished(1);
  EXPECT_EQ(lesson.classroom.Notice(), "\"abc\" is not a usable rate: link 2 keeps 0.5");
  const int notices = lesson.classroom.NoticeCount();
  lesson.form.RateEditingFinished(1);  // a usable text is no refusal
  EXPECT_EQ(lesson.classroom.NoticeCount(), notices);

  // A box the circuit turned red keeps the rate the circuit wrote.
  lesson.form.Choose(kMethodBox, "Circuit");
  lesson.Start();
  while (lesson.form.RateColour(2) != kRed) lesson.form.Timer1_Timer();
  lesson.Type(2, "x");
  lesson.form.RateEditingFinished(2);
  EXPECT_EQ(lesson.form.RateText(2), "0.5");
}

// Typed rates: how a text that is more than a number was read, a refusal
// quoted short, and a usable entry that replaces a refusal.
TEST(Classroom, SaysHowATypedRateWasReadAndReplacesARefusal) {
  Lesson lesson(1);
  const auto finish = [&](int link, const std::string& text) {
    lesson.Type(link, text);
    lesson.form.RateEditingFinished(link);
    return lesson.classroom.Notice();
  };
  EXPECT_EQ(finish(0, "1,5"), "\"1,5\" is read as 1; write 1.5 with a decimal point");
  EXPECT_EQ(finish(1, "3abc"), "\"3abc\" is read as 3");
  EXPECT_EQ(finish(1, "2.5.5"), "\"2.5.5\" is read as 2.5");
  EXPECT_EQ(finish(2, std::string(300, '9') + "x"),
            "\"" + std::string(40, '9') + "\u2026\" is read as 1e+300");
  EXPECT_EQ(finish(2, "abc" + std::string(400, '!')),
            "\"abc" + std::string(37, '!') + "\u2026\" is not a usable rate: link 3 keeps " +
                std::string(40, '9') + "\u2026");
  EXPECT_EQ(finish(2, "2"), "Link 3 takes the rate 2");
  const int notices = lesson.classroom.NoticeCount();
  EXPECT_EQ(finish(2, "4"), "Link 3 takes the rate 2");  // nothing stale to replace: nothing said
  EXPECT_EQ(lesson.classroom.NoticeCount(), notices);
}

// A change that clears strokes is said once an edit, with or without markers,
// and after runs of several techniques the completion says which came first.
TEST(Classroom, SaysEveryClearingAndWhichTechniqueDeliveredFirst) {
  Lesson lesson(1);
  lesson.Start();
  for (int tick = 0; tick < 10; ++tick) lesson.form.Timer1_Timer();
  lesson.form.Choose(DelayBox(1), "20");
  EXPECT_EQ(lesson.classroom.Notice(), "The delay of link 2 changed: traces cleared, the run goes on");
  int notices = lesson.classroom.NoticeCount();
  for (const char* text : {"1", "10"}) {
    lesson.form.Timer1_Timer();
    lesson.Type(0, text);
  }
  EXPECT_EQ(lesson.classroom.NoticeCount(), notices + 1);
  lesson.form.RateEditingFinished(0);
  lesson.form.Timer1_Timer();
  lesson.Type(0, "2");  // the next edit's clearing is said again
  EXPECT_EQ(lesson.classroom.Notice(), "The rate of link 1 changed: traces cleared, the run goes on");
  EXPECT_EQ(lesson.classroom.NoticeCount(), notices + 2);
  lesson.form.RateEditingFinished(0);

  for (const char* technique : {"Message", "Circuit", "Packet"}) {
    if (lesson.form.RunExists()) lesson.Start();  // Reset
    lesson.form.Choose(kMethodBox, technique);
    lesson.Start();
    lesson.RunToEnd();
  }
  EXPECT_EQ(lesson.classroom.Notice(),
            "Ended at 15.025 s; Packet: 4400 ms, formula 3800 ms. Packet first at 4400 ms, then "
            "Circuit 5825 ms, Message 6000 ms");
}

}  // namespace
}  // namespace switchsim
