// Exercises in another language: the courses' texts, the outcome and the
// notices through the catalog, grading the same as in English, the answer
// reader taking a decimal comma, and what programs read still English.
#include <gtest/gtest.h>

#include <algorithm>

#include "classroom/classroom.h"
#include "exercises/answer_key.h"
#include "exercises/exercise_answer.h"
#include "exercises/exercise_course.h"
#include "exercises/exercise_flow.h"
#include "exercises/exercise_progress.h"
#include "exercises/exercise_sheet.h"
#include "exercises/sharing_course.h"
#include "form/chosen_model.h"
#include "po/compiled_catalogs.h"
#include "text/translation.h"
#include "tools/trace_view.h"

namespace switchsim {
namespace {

bool Bracketed(const std::string& text) { return !text.empty() && text.front() == '[' && text.back() == ']'; }

class PseudoExercises : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(UseCompiledLanguage("pseudo")); }
  void TearDown() override { UseCompiledLanguage("en"); }
};

const Exercise& CourseExercise(std::size_t index) { return BuiltInCourse().exercises.at(index); }

TEST(ExerciseCourseTexts, EveryTextACourseShowsIsMarkedForTheCatalog) {
  for (const auto& [name, sheet] : {std::pair{kBuiltInCourseName, &BuiltInCourse()},
                                    std::pair{kSharingCourseName, &SharingCourse()}}) {
    const auto texts = CourseTextsNamed(name);
    const auto marked = [&](const std::string& text) {
      return text.empty() || std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    EXPECT_TRUE(marked(sheet->title)) << name;
    for (const Exercise& e : sheet->exercises) {
      EXPECT_TRUE(marked(e.question) && marked(e.hint) && marked(e.explain)) << name << ": " << e.question;
    }
  }
}

TEST_F(PseudoExercises, ACourseOpenedShowsItsOwnTextsThroughTheCatalogAndATeachersAsWritten) {
  for (const ExerciseSheet* course : {&BuiltInCourse(), &SharingCourse()}) {
    const ExerciseSheet shown = ShownSheet(*course);
    EXPECT_TRUE(Bracketed(shown.title)) << shown.title;
    for (const Exercise& e : shown.exercises) {
      EXPECT_TRUE(Bracketed(e.question)) << e.question;
      EXPECT_TRUE(e.hint.empty() || Bracketed(e.hint)) << e.hint;
      EXPECT_TRUE(Bracketed(e.explain)) << e.explain;
    }
  }
  // A teacher's sheet keeps its words, even where they are a course's.
  ExerciseSheet own = BuiltInCourse();
  own.texts_in_catalog = false;
  EXPECT_EQ(ShownSheet(own).exercises.at(0).question, CourseExercise(0).question);

  trace::TraceView view;
  Mt64Random random{1};
  FormLogic form{view, random};
  form.Form_Load();
  Classroom classroom{form, random, 1};
  ExerciseFlow flow{classroom, [] { return std::int64_t{1796896324}; }};
  flow.Open(BuiltInCourse());
  flow.GoTo(12);  // which-change, with a hint-less question and changes for choices
  EXPECT_TRUE(Bracketed(flow.Sheet().title));
  EXPECT_TRUE(Bracketed(flow.Current().question));
  EXPECT_TRUE(Bracketed(flow.Heading()) && Bracketed(flow.Prompt()));
  for (const std::string& choice : flow.Choices()) EXPECT_TRUE(Bracketed(choice)) << choice;
  EXPECT_TRUE(Bracketed(*flow.Commit("nonsense")));
  flow.GoTo(0);
  flow.ShowHint();
  EXPECT_TRUE(Bracketed(flow.TeacherHint()));
  EXPECT_EQ(flow.ProgressKey(), "exercises/" + SheetKey(BuiltInCourse()));
  // An answer with a decimal comma is kept, and exported, as programs read it.
  ASSERT_EQ(flow.Commit("6287,5"), std::nullopt);
  for (int ticks = 0; flow.Step() == ExerciseStep::Running && ticks < 5000; ++ticks) {
    if (form.TimerEnabled()) form.Timer1_Timer();
    flow.AfterTick();
  }
  ASSERT_EQ(flow.Step(), ExerciseStep::Answered);
  EXPECT_TRUE(Bracketed(flow.Outcome()->lines.back().text)) << "the course's explanation";
  EXPECT_NE(flow.ProgressCsv().find(",6287.5 ms,"), std::string::npos) << flow.ProgressCsv();
  EXPECT_TRUE(Bracketed(flow.ProgressSummary()));
}

TEST_F(PseudoExercises, GradesTheSameAnswerAsInEnglishAndTheShownChoiceToo) {
  struct Case {
    std::size_t exercise;
    const char* typed;
  };
  // A completion, a fastest, an optimal-packet, a which-change, and a lab.
  for (const Case c : {Case{0, "3450"}, Case{0, "3000 ms"}, Case{6, "packet"}, Case{6, "c"}, Case{10, "5"},
                       Case{10, "9 blocks"}, Case{12, "a"}, Case{12, "delay2=100"}}) {
    const Exercise& e = CourseExercise(c.exercise);
    const ExpectedAnswer expected = ExpectedAnswerOf(e);
    const auto graded = [&] {
      const AnswerReading reading = ReadAnswer(e, c.typed);
      return reading.answer && WithinTolerance(e, expected, *reading.answer);
    };
    const bool in_pseudo = graded();
    UseCompiledLanguage("en");
    EXPECT_EQ(in_pseudo, graded()) << c.exercise << " " << c.typed;
    UseCompiledLanguage("pseudo");
  }
  const Exercise& change = CourseExercise(12);
  const std::vector<std::string> shown = ChoicesOf(change, TextFor::People);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const auto answer = ReadAnswer(change, shown[i]).answer;
    ASSERT_TRUE(answer) << shown[i];
    EXPECT_EQ(answer->number, double(i));
    EXPECT_EQ(answer->choice, ChoicesOf(change, TextFor::Programs)[i]) << "kept in English";
  }
  const Exercise& users = SharingCourse().exercises.at(0);
  EXPECT_TRUE(WithinTolerance(users, ExpectedAnswerOf(users), *ReadAnswer(users, "10").answer));
}

TEST_F(PseudoExercises, TheOutcomeIsTheCatalogsWithCommasAndWhatProgramsReadStaysEnglish) {
  const Exercise e = ShownSheet(BuiltInCourse()).exercises.at(0);
  const ExpectedAnswer expected = ExpectedAnswerOf(e);
  const Answer answer = *ReadAnswer(e, "6287,5").answer;
  EXPECT_EQ(answer.number, 6287.5);
  const std::vector<OutcomeLine> lines = OutcomeLines(e, answer, expected, false);
  ASSERT_EQ(lines.size(), 7U);
  for (const OutcomeLine& line : lines) EXPECT_TRUE(Bracketed(line.label)) << line.label;
  for (const std::size_t i : {1, 3, 5, 6}) {  // expected, verdict, why, the course's explanation
    EXPECT_NE(lines[i].text.find('['), std::string::npos) << lines[i].label << ": " << lines[i].text;
  }
  EXPECT_NE(AnswerText(e, answer, TextFor::People).find("6287,5"), std::string::npos);
  EXPECT_EQ(AnswerText(e, answer, TextFor::Programs), "6287.5 ms");
  EXPECT_NE(CheckLine(1, e).find('['), std::string::npos);

  const std::string json = AnswerKeyJson(BuiltInCourse());
  std::vector<ExerciseRecord> records(BuiltInCourse().exercises.size());
  records[0].attempts.push_back({AnswerText(e, answer, TextFor::Programs), false, "2026-12-10T09:52:04Z", false});
  const std::string csv = ProgressCsv(BuiltInCourse(), records);
  UseCompiledLanguage("en");
  EXPECT_EQ(json, AnswerKeyJson(BuiltInCourse()));
  EXPECT_EQ(csv, ProgressCsv(BuiltInCourse(), records));
}

TEST(ExerciseAnswerComma, ACommaGroupsThousandsInEnglishAndIsADecimalPointWhereTheLanguageWritesOne) {
  const Exercise& e = CourseExercise(0);
  const Exercise& congestion = SharingCourse().exercises.at(3);
  struct Case {
    const Exercise* exercise;
    const char* typed;
    double english;
    double comma;
  };
  for (const Case c : {Case{&e, "6,375", 6375, 6.375}, Case{&e, "6287,5", 6287.5, 6287.5},
                       Case{&e, "6.375", 6.375, 6.375}, Case{&e, "6,375 s", 6375, 6375},
                       Case{&congestion, "0,0004", 0.0004, 0.0004}}) {
    ASSERT_TRUE(UseCompiledLanguage("en"));
    EXPECT_EQ(ReadAnswer(*c.exercise, c.typed).answer->number, c.english) << c.typed;
    ASSERT_TRUE(UseCompiledLanguage("pseudo"));  // writes a decimal comma, as German and Spanish do
    EXPECT_EQ(ReadAnswer(*c.exercise, c.typed).answer->number, c.comma) << c.typed;
  }
  ASSERT_TRUE(UseCompiledLanguage("de"));
  EXPECT_EQ(Tr("Your answer"), "Ihre Antwort");
  EXPECT_FALSE(ReadAnswer(e, "5 Blöcke").answer) << "a completion asks for ms";
  EXPECT_EQ(ReadAnswer(CourseExercise(10), "5 Blöcke").answer->number, 5);
  const Exercise& crossover = CourseExercise(15);  // the unit typed in German or in English
  for (const char* typed : {"180 Einheiten", "180 units", "180,0"}) {
    EXPECT_EQ(ReadAnswer(crossover, typed).answer.value_or(Answer{}).number, 180) << typed;
  }
  UseCompiledLanguage("en");
}

}  // namespace
}  // namespace switchsim
