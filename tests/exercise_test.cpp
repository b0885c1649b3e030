// Exercises: answers read leniently, sheets refused with the place of their
// first problem, the built-in course graded as the driver checks it, and
// the flow around a run with its readouts hidden until the answer.
#include <gtest/gtest.h>

#include <variant>

#include "chosen_model.h"
#include "classroom.h"
#include "exercise_answer.h"
#include "exercise_course.h"
#include "exercise_flow.h"
#include "exercise_link.h"
#include "exercise_sheet.h"
#include "page_address.h"
#include "reading_guide.h"
#include "trace_view.h"

namespace switchsim {
namespace {

struct Lesson {
  Lesson() { form.Form_Load(); }
  // Ticks, as the timer would, telling the flow after each, until it shows its outcome.
  void RunUntilAnswered() {
    for (int ticks = 0; flow.Step() == ExerciseStep::Running && ticks < 5000; ++ticks) {
      if (form.TimerEnabled()) form.Timer1_Timer();
      flow.AfterTick();
    }
  }

  trace::TraceView view;
  Mt64Random random{1};
  FormLogic form{view, random};
  Classroom classroom{form, random, 1};
  ExerciseFlow flow{classroom};
};

TEST(ExerciseAnswer, ReadsLenientlyAndHintsOtherwise) {
  struct Case {
    ExerciseAsk ask;
    const char* typed;
    double number;  // -1: no answer
    const char* technique;
  };
  const Case cases[] = {
      {ExerciseAsk::Completion, "6375", 6375, ""},      {ExerciseAsk::Completion, "6375 ms", 6375, ""},
      {ExerciseAsk::Completion, "6.375 s", 6375, ""},   {ExerciseAsk::Completion, "6 375", 6375, ""},
      {ExerciseAsk::Completion, "6,375", 6375, ""},     {ExerciseAsk::Completion, "6,5 s", 6500, ""},
      {ExerciseAsk::Completion, "12,345.5", 12345.5, ""}, {ExerciseAsk::Completion, "abc", -1, ""},
      {ExerciseAsk::Completion, "-5", -1, ""},          {ExerciseAsk::Completion, "6.3.1", -1, ""},
      {ExerciseAsk::Fastest, " packet ", 0, "Packet"},  {ExerciseAsk::Fastest, "C", 0, "Circuit"},
      {ExerciseAsk::Fastest, "Telegram", -1, ""},       {ExerciseAsk::Bottleneck, "0,5", 0.5, ""},
      {ExerciseAsk::Bottleneck, "0", -1, ""},           {ExerciseAsk::OptimalPacket, "5 blocks", 5, ""},
      {ExerciseAsk::OptimalPacket, "51", -1, ""},       {ExerciseAsk::OptimalPacket, "2.5", -1, ""},
  };
  for (const Case& c : cases) {
    const AnswerReading reading = ReadAnswer(c.ask, c.typed);
    if (c.number < 0) {
      EXPECT_FALSE(reading.answer) << c.typed;
      EXPECT_FALSE(reading.hint.empty()) << c.typed;
      continue;
    }
    ASSERT_TRUE(reading.answer) << c.typed;
    EXPECT_EQ(reading.answer->number, c.number) << c.typed;
    EXPECT_EQ(reading.answer->technique, c.technique) << c.typed;
  }
}

TEST(ExerciseSheet, RefusesABadFileWholeWithItsLineAndColumn) {
  const std::string good =
      R"({"title": "T", "exercises": [{"question": "<b>Q</b>", "ask": "completion",)"
      R"( "technique": "Circuit", "size": 300, "rates": "1.0,0.5,1.0", "delays": "50,50,50"}]})";
  struct Case {
    std::string bytes;
    const char* starts;
    const char* says;
  };
  const Case cases[] = {
      {R"({"title": "T",
 "exercises": [{"question": "Q", "ask": "fastest",
  "size": 300, "delays": "50,50,50"}]})", "line 2, column 16", "\"rates\""},
      {R"({"title": "T", "exercises": [
  {"question": "Q", "ask": "soonest", "size": 300, "rates": "1,1,1", "delays": "50,50,50"}]})",
       "line 2, column 28", "\"soonest\" is not a kind"},
      {R"({"title": "T", "exercises": [
  {"question": "Q", "ask": "fastest", "size": 250, "rates": "1,1,1", "delays": "50,50,50"}]})",
       "line 2, column 47", "\"250\" is not a message size"},
      {R"({"title": "T", "exercises": [],})", "line 1, column 32", "expected string literal"},
      {"{\"title\": \"T\xe9\", \"exercises\": []}", "line 1, column ", "UTF-8"},
      {std::string(kMostSheetBytes + 10, ' '), "line 1, column 1048577", "past 1 MB"},
      {R"({"title": "T", "title": "U", "exercises": []})", "line 1, column 16", "twice"},
      {R"({"title": "T", "exercises": [
 {"question": "Q", "ask": "fastest", "size": 300, "rates": "1,1,1", "delays": "50,50,50",
  "colour": "red"}]})", "line 3, column 13", "\"colour\" is not a member"},
      {R"({"title": "T", "exercises": [
 {"question": "Q", "ask": "fastest", "size": 300, "rates": "1,1,1", "delays": "50,50,50",
  "tolerance": 0}]})", "line 3, column 16", "tolerance"},
  };
  for (const Case& c : cases) {
    const SheetReading reading = ReadExerciseSheet(c.bytes);
    EXPECT_FALSE(reading.sheet) << c.bytes.substr(0, 80);
    EXPECT_EQ(reading.error.rfind(c.starts, 0), 0U) << reading.error;
    EXPECT_NE(reading.error.find(c.says), std::string::npos) << reading.error;
  }
  const SheetReading reading = ReadExerciseSheet(good);
  ASSERT_TRUE(reading.sheet) << reading.error;
  const Exercise& exercise = reading.sheet->exercises.at(0);
  EXPECT_EQ(exercise.question, "<b>Q</b>");
  EXPECT_EQ(exercise.parameters.seed, kDefaultExerciseSeed);
  EXPECT_EQ(exercise.tolerance_percent, kDefaultTolerancePercent);
  EXPECT_EQ(CheckLine(3, exercise), "3 completion Circuit 6050 ms");
}

// Each answer the driver prints for the course, typed into the flow as a
// student would, is graded right; a number just outside the tolerance is not.
TEST(ExerciseCourse, EveryCheckedAnswerIsGradedRight) {
  const ExerciseSheet& course = BuiltInCourse();
  ASSERT_GE(course.exercises.size(), 12U);
  const auto again = ReadExerciseSheet(BuiltInCourseText());
  ASSERT_TRUE(again.sheet) << again.error;
  Lesson lesson;
  lesson.flow.Open(course);
  for (std::size_t i = 0; i < course.exercises.size(); ++i) {
    const Exercise& exercise = course.exercises[i];
    EXPECT_FALSE(exercise.explain.empty());
    const std::string line = CheckLine(static_cast<int>(i + 1), exercise);
    std::string printed = line.substr(line.find(AskName(exercise.ask)) + AskName(exercise.ask).size() + 1);
    if (exercise.ask == ExerciseAsk::Completion) printed = printed.substr(printed.find(' ') + 1);
    ASSERT_EQ(lesson.flow.Index(), static_cast<int>(i));
    for (const MarkerState& marker : lesson.form.Markers()) EXPECT_FALSE(marker.visible) << line;
    const std::size_t runs = lesson.classroom.Results().size();
    EXPECT_EQ(lesson.flow.Commit(printed), std::nullopt) << line;
    lesson.RunUntilAnswered();
    EXPECT_EQ(lesson.classroom.Results().size() - runs, exercise.ask == ExerciseAsk::Fastest ? 3U : 1U) << line;
    ASSERT_EQ(lesson.flow.Step(), ExerciseStep::Answered) << line;
    EXPECT_TRUE(lesson.flow.Outcome()->within) << line << "\n" << lesson.flow.OutcomeText();
    const ExpectedAnswer& expected = lesson.flow.Outcome()->expected;
    if (exercise.ask == ExerciseAsk::Fastest) {
      EXPECT_NE(lesson.flow.OutcomeText().find(expected.answer.technique + " " +
                                               std::to_string(*expected.simulated_ms) + " ms"),
                std::string::npos) << lesson.flow.OutcomeText();
    }
    if (exercise.ask == ExerciseAsk::Completion) {
      const double outside = lesson.flow.Outcome()->expected.answer.number * 1.06;
      EXPECT_FALSE(WithinTolerance(exercise, lesson.flow.Outcome()->expected, {outside, {}})) << line;
    }
    lesson.flow.Next();
  }
  EXPECT_EQ(lesson.flow.Step(), ExerciseStep::Done);
  EXPECT_EQ(lesson.flow.ProgressSummary(), "14 of 14 answered, 14 within tolerance");
}

TEST(ExerciseFlow, HidesTheReadoutsUntilTheAnswerAndKeepsProgress) {
  EXPECT_EQ(std::get<std::string>(ReadPageQuery("tolerance=10&exercises=a.json")),
            "The link's tolerance: goes with predict, which was not given");
  const auto request = ReadPageQuery("technique=Circuit&ask=completion&predict=1&seed=3");
  ASSERT_TRUE(std::holds_alternative<PageRequest>(request));
  const auto sheet = SheetOfRequest(std::get<PageRequest>(request));
  ASSERT_TRUE(sheet);
  Lesson lesson;
  lesson.flow.Open(*sheet);
  EXPECT_EQ(lesson.form.MethodText(), "Circuit");
  EXPECT_TRUE(lesson.classroom.ReadoutsHidden());
  EXPECT_EQ(lesson.classroom.MarkerText(Marker::Circuit).find(" ms"), std::string::npos);
  EXPECT_EQ(ReadingGuideHtml(ChosenModel(lesson.form), false).find("6050"), std::string::npos);

  // A Start pressed while the question waits says no time either.
  int notices = lesson.classroom.NoticeCount();
  lesson.form.cmdStart_Click(0);
  while (lesson.form.TimerEnabled()) lesson.form.Timer1_Timer();
  EXPECT_EQ(lesson.classroom.NoticesSince(notices).find(" ms"), std::string::npos);

  notices = lesson.classroom.NoticeCount();
  EXPECT_TRUE(lesson.flow.Commit("abc"));
  EXPECT_EQ(lesson.flow.Step(), ExerciseStep::Asking);
  EXPECT_FALSE(lesson.flow.Records().at(0).answered);
  EXPECT_NE(lesson.classroom.NoticesSince(notices).find("Type a time"), std::string::npos);

  EXPECT_EQ(lesson.flow.Commit("5 000 ms"), std::nullopt);
  EXPECT_FALSE(lesson.classroom.ReadoutsHidden());
  lesson.RunUntilAnswered();
  ASSERT_EQ(lesson.flow.Step(), ExerciseStep::Answered);
  EXPECT_FALSE(lesson.flow.Outcome()->within);
  const std::string outcome = lesson.flow.OutcomeText();
  for (const char* says : {"Your answer: 5000 ms", "Continuous time: 6050 ms", "simulated: 6", "ticks of 25 ms",
                           "Within 5 % of 6050 ms: no"}) {
    EXPECT_NE(outcome.find(says), std::string::npos) << says << "\n" << outcome;
  }
  EXPECT_NE(lesson.classroom.Notice().find("Not quite"), std::string::npos);

  // Kept and read back as another session would; damaged, nothing is read.
  const std::string kept = lesson.flow.ProgressText();
  ExerciseFlow later(lesson.classroom);
  later.Open(*sheet, kept);
  EXPECT_EQ(later.ProgressSummary(), "1 of 1 answered, 0 within tolerance");
  later.Open(*sheet, kept + "\ny\t1 ms");  // another set's, of two exercises
  EXPECT_EQ(later.ProgressSummary(), "0 of 1 answered, 0 within tolerance");
  lesson.flow.StartAgain();
  EXPECT_EQ(lesson.flow.ProgressSummary(), "0 of 1 answered, 0 within tolerance");

  // Asked again, the run's marker would tell its time against the time scale.
  lesson.flow.Open(*SheetOfRequest(std::get<PageRequest>(ReadPageQuery("rates=1,1,1&predict=1"))));
  lesson.flow.Commit("1 s");
  lesson.RunUntilAnswered();
  lesson.flow.Retry();
  EXPECT_FALSE(lesson.form.Markers().at(0).visible);
  EXPECT_NE(lesson.flow.ProgressCsv().find("1,completion,"), std::string::npos);
  ExerciseSheet formula = *sheet;
  formula.exercises[0].question = "=HYPERLINK(1)";  // text in a spreadsheet, never a formula
  EXPECT_NE(ProgressCsv(formula, {}).find(",'=HYPERLINK(1),"), std::string::npos);
}

}  // namespace
}  // namespace switchsim
