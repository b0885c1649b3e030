// Exercises: answers read leniently, sheets refused with the place of their
// first problem, the built-in course graded as the driver checks it, and
// the flow around a run with its readouts hidden and Start held until the answer.
#include <gtest/gtest.h>

#include <variant>

#include "exercises/answer_key.h"
#include "form/chosen_model.h"
#include "classroom/classroom.h"
#include "exercises/exercise_answer.h"
#include "exercises/exercise_course.h"
#include "exercises/sharing_course.h"
#include "exercises/exercise_flow.h"
#include "options/exercise_link.h"
#include "exercises/exercise_sheet.h"
#include "options/page_address.h"
#include "formulas/reading_guide.h"
#include "tools/trace_view.h"

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
  ExerciseFlow flow{classroom, [] { return std::int64_t{1796896324}; }};
};

ExerciseSheet SheetOf(const std::string& exercise) {
  const SheetReading reading = ReadExerciseSheet(R"({"title": "T", "exercises": [)" + exercise + "]}");
  EXPECT_TRUE(reading.sheet) << reading.error;
  return reading.sheet.value_or(ExerciseSheet{});
}

TEST(ExerciseAnswer, ReadsLenientlyAndHintsOtherwise) {
  const Exercise change = SheetOf(R"({"question": "Q", "ask": "which-change", "technique": "Message",
      "size": 300, "rates": [1, 1, 1], "delays": "50,50,50", "changes": ["rate2=2.0", "delay1=20"]})").exercises.at(0);
  const Exercise crossover = SheetOf(R"({"question": "Q", "ask": "crossover", "technique": "Circuit",
      "overtakes": "packet", "sweep": "size=20:1000:20", "size": 300, "rates": "2,2,2", "delays": "20,20,20",
      "header": 2})").exercises.at(0);
  const auto of = [](ExerciseAsk ask) {
    Exercise e;
    e.ask = ask;
    return e;
  };
  struct Case {
    Exercise exercise;
    const char* typed;
    double number;  // -1: no answer
    const char* choice;
  };
  const Exercise completion = of(ExerciseAsk::Completion);
  const Case cases[] = {
      {completion, "6375", 6375, ""},       {completion, "6375 ms", 6375, ""},   {completion, "6.375 s", 6375, ""},
      {completion, "6 375", 6375, ""},      {completion, "6,375", 6375, ""},     {completion, "6,5 s", 6500, ""},
      {completion, "6,375 s", 6375, ""},    {completion, "12,345.5", 12345.5, ""}, {completion, "abc", -1, ""},
      {completion, "-5", -1, ""},           {completion, "6.3.1", -1, ""},
      {of(ExerciseAsk::Fastest), " packet ", 2, "Packet"}, {of(ExerciseAsk::Fastest), "C", 1, "Circuit"},
      {of(ExerciseAsk::Fastest), "Telegram", -1, ""},      {of(ExerciseAsk::Bottleneck), "0,5", 0.5, ""},
      {of(ExerciseAsk::Bottleneck), "0", -1, ""},          {of(ExerciseAsk::OptimalPacket), "5 blocks", 5, ""},
      {of(ExerciseAsk::OptimalPacket), "51", -1, ""},      {of(ExerciseAsk::OptimalPacket), "2.5", -1, ""},
      {change, "b", 1, "delay of link 1 from 50 to 20"},   {change, "1", 0, "rate of link 2 from 1 to 2"},
      {change, "Rate2=2.0", 0, "rate of link 2 from 1 to 2"},
      {change, "delay of link 1 from 50 to 20", 1, "delay of link 1 from 50 to 20"},
      {change, "c", -1, ""},                {crossover, "180 units", 180, ""},   {crossover, "1,000", 1000, ""},
      {crossover, "0", -1, ""},
  };
  for (const Case& c : cases) {
    const AnswerReading reading = ReadAnswer(c.exercise, c.typed);
    if (c.number < 0) {
      EXPECT_FALSE(reading.answer) << c.typed;
      EXPECT_FALSE(reading.hint.empty()) << c.typed;
      continue;
    }
    ASSERT_TRUE(reading.answer) << c.typed;
    EXPECT_EQ(reading.answer->number, c.number) << c.typed;
    EXPECT_EQ(reading.answer->choice, c.choice) << c.typed;
  }
}

TEST(ExerciseSheet, RefusesABadFileWholeWithItsLineAndColumn) {
  const std::string run = R"("size": 300, "rates": "1,1,1", "delays": "50,50,50")";
  const auto one = [&](const std::string& members) {
    return "{\"title\": \"T\", \"exercises\": [\n {\"question\": \"Q\", " + members + "}]}";
  };
  struct Case {
    std::string bytes;
    const char* starts;
    const char* says;
  };
  const Case cases[] = {
      {one(R"("ask": "fastest", "size": 300, "delays": "50,50,50")"), "line 2, column 2", "\"rates\""},
      {one(R"("ask": "soonest", )" + run), "line 2, column 27", "\"soonest\" is not a kind"},
      {one(R"("ask": "fastest", "size": 250, "rates": "1,1,1", "delays": "50,50,50")"), "line 2, column 46",
       "size box lists"},
      {R"({"title": "T", "exercises": [],})", "line 1, column 32", "expected string literal"},
      {"{\"title\": \"T\xe9\", \"exercises\": []}", "line 1, column ", "UTF-8"},
      {std::string(kMostSheetBytes + 1, ' '), "line 1, column 1048577", "past 1 MiB"},
      {R"({"title": "T", "title": "U", "exercises": []})", "line 1, column 16", "twice"},
      {one(R"("ask": "fastest", "colour": "red", )" + run), "line 2, column 48", "\"colour\" is not a member"},
      {one(R"("ask": "completion", "technique": "Circuit", "tolerance": 0, )" + run), "line 2, column 78",
       "tolerance"},
      {one(R"("ask": "fastest", "technique": "Packet", )" + run), "line 2, column 51", "not used by a fastest"},
      {one(R"("ask": "fastest", "tolerance": 10, )" + run), "line 2, column 51", "a choice"},
      {one(R"("ask": "optimal-packet", "packet": 3, )" + run), "line 2, column 55", "an optimal-packet question (the packet size is its answer)"},
      {one(R"("ask": "completion", )" + run), "line 2, column 2", "\"technique\""},
      {"{\"title\": \"T\", \"exercises\": [{\"question\": \" \", \"ask\": \"fastest\", " + run + "}]}",
       "line 1, column 43", "question is empty"},
      {"{\"title\": \"T\", // the week\n\"exercises\": []}", "line 1, column 16", "JSON has no comments"},
      {one(R"("ask": "crossover", "technique": "Packet", "overtakes": "Circuit", "sweep": "size=20:1000:20", )" + run),
       "line 2, column 96", "never overtakes"},
      {one(R"("ask": "crossover", "technique": "Circuit", "overtakes": "Packet", "sweep": "size=20:1000:10", )" + run),
       "line 2, column 96", "step"},
      {one(R"("ask": "which-change", "technique": "Message", "changes": ["rate2=1.0", "delay2=20"], )" + run),
       "line 2, column 78", "changes nothing"},
      {one(R"("ask": "which-change", "technique": "Message", "changes": ["size=240", "delay2=20"], )" + run),
       "line 2, column 78", "size box lists"},
  };
  for (const Case& c : cases) {
    const SheetReading reading = ReadExerciseSheet(c.bytes);
    EXPECT_FALSE(reading.sheet) << c.bytes.substr(0, 120);
    EXPECT_EQ(reading.error.rfind(c.starts, 0), 0U) << reading.error;
    EXPECT_NE(reading.error.find(c.says), std::string::npos) << reading.error;
  }
}

// What a teacher writes loosely is taken; the limits hold to the byte.
TEST(ExerciseSheet, ForgivesCaseAndArraysAndHoldsItsLimits) {
  const ExerciseSheet loose = SheetOf(R"({"question": "<b>Q</b>", "ask": "Completion", "technique": "circuit",
      "size": 300, "rates": [1.0, 0.5, 1], "delays": [50, "50", 50], "hint": "Set-up first"})");
  const Exercise& exercise = loose.exercises.at(0);
  EXPECT_EQ(exercise.question, "<b>Q</b>");
  EXPECT_EQ(exercise.parameters.technique, "Circuit");
  EXPECT_EQ(exercise.parameters.rates[1], "0.5");
  EXPECT_EQ(exercise.hint, "Set-up first");
  EXPECT_EQ(exercise.parameters.seed, kDefaultExerciseSeed);
  EXPECT_EQ(CheckLine(3, exercise), "3 completion Circuit 6050 ms; accepted 5747.5 to 6352.5 ms; simulated 6375 ms; "
                                    "warning: the simulated 6375 ms lies outside what counts: formula and simulation "
                                    "disagree by more than the tolerance");

  const std::string item = R"({"question": "Q", "ask": "fastest", "size": 300, "rates": "1,1,1", "delays": "50,50,50"})";
  const auto sheet_of = [&](std::size_t exercises, std::size_t title_bytes) {
    std::string bytes = "{\"title\": \"" + std::string(title_bytes, 'T') + "\", \"exercises\": [" + item;
    for (std::size_t i = 1; i < exercises; ++i) bytes += "," + item;
    return bytes + "]}";
  };
  struct Limit {
    std::string bytes;
    bool taken;
  };
  std::string padded = sheet_of(1, 1);
  const Limit limits[] = {
      {sheet_of(kMostSheetExercises, 1), true},       {sheet_of(kMostSheetExercises + 1, 1), false},
      {sheet_of(1, kMostSheetTextBytes), true},       {sheet_of(1, kMostSheetTextBytes + 1), false},
      {padded + std::string(kMostSheetBytes - padded.size(), ' '), true},
      {padded + std::string(kMostSheetBytes + 1 - padded.size(), ' '), false},
  };
  for (const Limit& limit : limits) {
    EXPECT_EQ(ReadExerciseSheet(limit.bytes).sheet.has_value(), limit.taken) << limit.bytes.size();
  }
}

// Each answer the driver prints for the course, typed into the flow as a
// student would, is graded right; a number just outside what counts is not;
// the course has one clear answer to every question and nothing to warn of.
// Takes every exercise of a course with its expected answer: each is right,
// nothing warns, just past the tolerance is wrong, and every kind is asked.
void TakeCourse(const ExerciseSheet& course, std::string_view text, std::size_t least,
                const std::vector<ExerciseAsk>& asked) {
  ASSERT_GE(course.exercises.size(), least);
  const auto again = ReadExerciseSheet(text);
  ASSERT_TRUE(again.sheet) << again.error;
  Lesson lesson;
  lesson.flow.Open(course);
  std::vector<ExerciseAsk> kinds;
  for (std::size_t i = 0; i < course.exercises.size(); ++i) {
    const Exercise& exercise = course.exercises[i];
    kinds.push_back(exercise.ask);
    EXPECT_FALSE(exercise.explain.empty());
    const AnswerKeyEntry key = AnswerKeyOf(static_cast<int>(i + 1), exercise, TextFor::Programs);
    EXPECT_TRUE(key.warnings.empty()) << CheckLine(static_cast<int>(i + 1), exercise);
    EXPECT_EQ(key.expected.acceptable.size(), UsesTolerance(exercise.ask) ? 0U : 1U) << key.accepted_text;
    ASSERT_EQ(lesson.flow.Index(), static_cast<int>(i));
    for (const MarkerState& marker : lesson.form.Markers()) EXPECT_FALSE(marker.visible) << key.expected_text;
    EXPECT_EQ(lesson.flow.Commit(key.expected_text), std::nullopt) << key.expected_text;
    lesson.RunUntilAnswered();
    ASSERT_EQ(lesson.flow.Step(), ExerciseStep::Answered) << key.expected_text;
    EXPECT_TRUE(lesson.flow.Outcome()->within) << key.expected_text << "\n" << lesson.flow.OutcomeText();
    if (UsesTolerance(exercise.ask)) {
      const double outside = key.expected.answer.number * (1 + exercise.tolerance_percent / 100 + 1e-6);
      EXPECT_FALSE(WithinTolerance(exercise, key.expected, {outside, {}})) << key.expected_text;
    }
    lesson.flow.Next();
  }
  for (const ExerciseAsk ask : asked) {
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), ask), kinds.end()) << AskName(ask);
  }
  EXPECT_EQ(lesson.flow.Step(), ExerciseStep::Done);
  EXPECT_EQ(lesson.flow.ProgressSummary(), std::to_string(course.exercises.size()) + " of " +
                                               std::to_string(course.exercises.size()) + " answered, " +
                                               std::to_string(course.exercises.size()) + " within tolerance");
}

TEST(ExerciseCourse, EveryCheckedAnswerIsGradedRightAndNothingWarns) {
  TakeCourse(BuiltInCourse(), BuiltInCourseText(), 16,
             {ExerciseAsk::Completion, ExerciseAsk::Fastest, ExerciseAsk::Bottleneck, ExerciseAsk::OptimalPacket,
              ExerciseAsk::Crossover, ExerciseAsk::WhichChange});
}

TEST(ExerciseCourse, TheSharingCourseToo) {
  TakeCourse(SharingCourse(), SharingCourseText(), 8,
             {ExerciseAsk::CircuitUsers, ExerciseAsk::Congestion, ExerciseAsk::QueueWait});
  EXPECT_EQ(BuiltInCourseNamed("sharing"), &SharingCourse());
  EXPECT_EQ(BuiltInCourseNamed("builtin"), &BuiltInCourse());
  EXPECT_EQ(BuiltInCourseNamed("other"), nullptr);
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

  int notices = lesson.classroom.NoticeCount();
  EXPECT_TRUE(lesson.flow.Commit("abc"));
  EXPECT_EQ(lesson.flow.Step(), ExerciseStep::Asking);
  EXPECT_FALSE(lesson.flow.Records().at(0).answered());
  EXPECT_NE(lesson.classroom.NoticesSince(notices).find("Type a time"), std::string::npos);

  EXPECT_EQ(lesson.flow.Commit("5 000 ms"), std::nullopt);
  EXPECT_FALSE(lesson.classroom.ReadoutsHidden());
  lesson.RunUntilAnswered();
  ASSERT_EQ(lesson.flow.Step(), ExerciseStep::Answered);
  EXPECT_FALSE(lesson.flow.Outcome()->within);
  const std::string outcome = lesson.flow.OutcomeText();
  for (const char* says : {"Your answer: 5000 ms\n", "Expected: 6050 ms (accepted: 5747.5 to 6352.5 ms)\n",
                           "Simulated: 6", "ticks of 25 ms", "Verdict: Not quite: outside 5 % of 6050 ms\n"}) {
    EXPECT_NE(outcome.find(says), std::string::npos) << says << "\n" << outcome;
  }
  EXPECT_NE(lesson.classroom.Notice().find("Not quite"), std::string::npos);

  // Kept and read back as another session would; damaged, nothing is read.
  const std::string kept = lesson.flow.ProgressText();
  ExerciseFlow later(lesson.classroom);
  later.Open(*sheet, kept);
  EXPECT_EQ(later.ProgressSummary(), "1 of 1 answered, 0 within tolerance");
  later.Open(*sheet, kept + "\ny\t\t\t1 ms");  // another set's, of two exercises
  EXPECT_EQ(later.ProgressSummary(), "0 of 1 answered, 0 within tolerance");
  EXPECT_NE(lesson.flow.StartAgainQuestion().find("1 exercise (1 attempt) will be forgotten"), std::string::npos);
  lesson.flow.StartAgain();
  EXPECT_EQ(lesson.flow.ProgressSummary(), "0 of 1 answered, 0 within tolerance");
  EXPECT_EQ(lesson.flow.StartAgainQuestion(), "");

  // Asked again, the run's marker would tell its time against the time scale.
  lesson.flow.Open(*SheetOfRequest(std::get<PageRequest>(ReadPageQuery("rates=1,1,1&predict=1"))));
  lesson.flow.Commit("1 s");
  lesson.RunUntilAnswered();
  lesson.flow.Retry();
  EXPECT_FALSE(lesson.form.Markers().at(0).visible);
}

// A student who wants the answer from a run before answering finds every
// way to start one held, with a notice saying when the run comes.
TEST(ExerciseFlow, HoldsEveryStartWhileAQuestionWaits) {
  Lesson lesson;
  lesson.flow.Open(SheetOf(R"({"question": "Q", "ask": "fastest", "size": 300, "rates": "1,1,1",
      "delays": "50,50,50", "hint": "Count the hops"})"));
  RunParameters other = lesson.flow.Current().parameters;
  other.technique = "Packet";
  EXPECT_EQ(lesson.classroom.Shown(), (Readouts{false, false, false, false, false, false}));
  const std::string held(kStartHeldNotice);
  EXPECT_EQ(lesson.classroom.StartRun(other), held);  // Explore's point, Results' command
  lesson.form.cmdStart_Click(0);                      // the button, F5, a run bar
  EXPECT_FALSE(lesson.form.RunExists());
  EXPECT_EQ(lesson.classroom.Notice(), held);
  lesson.form.cmdStart_Click(1);  // Cont on no run: the clock may tick, nothing moves
  for (int i = 0; i < 700 && lesson.form.TimerEnabled(); ++i) lesson.form.Timer1_Timer();
  for (const MarkerState& marker : lesson.form.Markers()) EXPECT_FALSE(marker.visible);
  EXPECT_TRUE(lesson.classroom.Results().empty());

  EXPECT_EQ(lesson.flow.TeacherHint(), "Count the hops");
  lesson.flow.ShowHint();
  EXPECT_TRUE(lesson.flow.HintShown());
  EXPECT_EQ(lesson.classroom.Notice(), "Hint: Count the hops");
  lesson.flow.Commit("Packet");
  EXPECT_EQ(lesson.classroom.Shown(), Readouts{});
  lesson.RunUntilAnswered();
  EXPECT_EQ(lesson.classroom.Results().size(), 3U);
  const Attempt& attempt = lesson.flow.Records().at(0).attempts.at(0);
  EXPECT_TRUE(attempt.hinted);
  EXPECT_EQ(attempt.time, "2026-12-10T09:52:04Z");
  lesson.form.cmdStart_Click(0);  // once answered, runs are the student's own again
  lesson.form.cmdStart_Click(0);
  EXPECT_TRUE(lesson.form.RunExists());
}

}  // namespace
}  // namespace switchsim
