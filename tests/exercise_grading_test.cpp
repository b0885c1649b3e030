// Grading at its edges: the tolerance's bounds, formulas against the
// simulated runs, ties, crossovers between two swept values, every attempt
// kept, and exports that give no answer away.
#include <gtest/gtest.h>

#include "exercises/answer_key.h"
#include "exercises/exercise_answer.h"
#include "exercises/exercise_outcome.h"
#include "exercises/exercise_progress.h"
#include "exercises/exercise_sheet.h"

namespace switchsim {
namespace {

Exercise ExerciseOf(const std::string& members) {
  const SheetReading reading =
      ReadExerciseSheet(R"({"title": "T", "exercises": [{"question": "Q", )" + members + "}]}");
  EXPECT_TRUE(reading.sheet) << reading.error;
  return reading.sheet ? reading.sheet->exercises.at(0) : Exercise{};
}

std::string Outcome(const Exercise& exercise, const ExpectedAnswer& expected, const std::string& typed) {
  const Answer answer = *ReadAnswer(exercise, typed).answer;
  return LabelledLinesText(OutcomeLines(exercise, answer, expected, WithinTolerance(exercise, expected, answer)));
}

TEST(ExerciseGrading, TakesTheToleranceToItsEdgesAndNoFurther) {
  const std::string links = R"("size": 300, "rates": "1.0,0.5,1.0", "delays": "50,50,50")";
  const Exercise completion = ExerciseOf(R"("ask": "completion", "technique": "Circuit", )" + links);  // 6050 ms
  const Exercise bottleneck = ExerciseOf(R"("ask": "bottleneck", "tolerance": 10, )" + links);       // 0.5
  const Exercise crossover = ExerciseOf(R"("ask": "crossover", "technique": "Circuit", "overtakes": "Packet",
      "sweep": "size=20:1000:20", "size": 300, "rates": "2,2,2", "delays": "20,20,20", "header": 2)");  // 180 units
  struct Case {
    const Exercise& exercise;
    double answer;
    bool within;
  };
  const Case cases[] = {
      {completion, 5747.5, true}, {completion, 5747.4, false}, {completion, 6352.5, true},
      {completion, 6352.6, false}, {bottleneck, 0.45, true},   {bottleneck, 0.449, false},
      {bottleneck, 0.55, true},   {crossover, 171, true},      {crossover, 170.9, false},
      {crossover, 189, true},     {crossover, 189.1, false},
  };
  for (const Case& c : cases) {
    const ExpectedAnswer expected = ExpectedAnswerOf(c.exercise);
    EXPECT_EQ(WithinTolerance(c.exercise, expected, {c.answer, {}}), c.within)
        << AskName(c.exercise.ask) << " " << c.answer << " against " << AcceptedText(c.exercise, expected, TextFor::Programs);
  }
}

// The ticks make the circuit deliver before the packets although the
// formulas say otherwise: a student who computes is right, and so is one
// who read the runs; each technique's own times are shown.
TEST(ExerciseGrading, CountsTheFormulasAnswerAndTheSimulations) {
  const Exercise fastest =
      ExerciseOf(R"("ask": "fastest", "size": 500, "rates": "1,1,1", "delays": "50,50,50", "header": 1)");
  const ExpectedAnswer e = ExpectedAnswerOf(fastest);
  EXPECT_EQ(e.answer.choice, "Packet");
  ASSERT_TRUE(e.simulated_answer);
  EXPECT_EQ(e.simulated_answer->choice, "Circuit");
  EXPECT_EQ(e.acceptable, (std::vector<std::string>{"Packet", "Circuit"}));
  EXPECT_FALSE(WithinTolerance(fastest, e, {0, "Message"}));
  const std::string outcome = Outcome(fastest, e, "circuit");
  for (const char* says : {"Verdict: Right: Circuit counts", "Message 8550 ms; Circuit 5350 ms; Packet 5150 ms",
                           "Simulated: Message 8700 ms; Circuit 5675 ms; Packet 5900 ms", "Either answer counts"}) {
    EXPECT_NE(outcome.find(says), std::string::npos) << says << "\n" << outcome;
  }
  EXPECT_NE(CheckLine(1, fastest).find("warning: formula and simulation disagree"), std::string::npos);

  // A tie in the formulas: one packet as large as the message is the message itself.
  const Exercise tie = ExerciseOf(
      R"("ask": "fastest", "size": 500, "rates": "1,1,1", "delays": "200,200,200", "packet": 25)");
  const ExpectedAnswer tied = ExpectedAnswerOf(tie);
  EXPECT_EQ(tied.formula_ties, 2U);
  EXPECT_TRUE(WithinTolerance(tie, tied, {0, "Message"}) && WithinTolerance(tie, tied, {0, "Packet"}));
  EXPECT_FALSE(WithinTolerance(tie, tied, {0, "Circuit"}));
  EXPECT_NE(CheckLine(1, tie).find("several answers tie"), std::string::npos);
}

TEST(ExerciseGrading, TakesOnlyTheBestPacketSizeOrChangeAndCrossesBetweenPoints) {
  const std::string links = R"("size": 1000, "rates": "1,1,1", "delays": "50,50,50")";
  const Exercise packet = ExerciseOf(R"("ask": "optimal-packet", "header": 1, )" + links);
  const ExpectedAnswer best = ExpectedAnswerOf(packet);
  for (const auto& [blocks, right] : {std::pair{5.0, true}, {4.0, false}, {6.0, false}, {2.0, false}}) {
    EXPECT_EQ(WithinTolerance(packet, best, {blocks, {}}), right) << blocks;
  }
  const Exercise level = ExerciseOf(R"("ask": "optimal-packet", "header": 2, )" + links);
  EXPECT_EQ(AcceptedText(level, ExpectedAnswerOf(level), TextFor::Programs).substr(0, 23), "5 blocks or 6 blocks or");
  EXPECT_NE(CheckLine(1, level).find("several answers tie"), std::string::npos);

  const Exercise change = ExerciseOf(R"("ask": "which-change", "technique": "Message", "size": 1000,
      "rates": "2,2,2", "delays": "200,200,200", "changes": ["rate2=4.0", "delay2=100"])");
  const ExpectedAnswer faster = ExpectedAnswerOf(change);
  EXPECT_TRUE(WithinTolerance(change, faster, *ReadAnswer(change, "a").answer));
  EXPECT_FALSE(WithinTolerance(change, faster, *ReadAnswer(change, "b").answer));
  EXPECT_EQ(faster.each_ms, (std::vector<double>{9250, 10000}));

  // Between 320 and 340 units, a third of the way from 340: not the middle.
  const Exercise crossover = ExerciseOf(R"("ask": "crossover", "technique": "Circuit", "overtakes": "Packet",
      "sweep": "size=20:1000:20", "size": 300, "rates": "5,5,5", "delays": "20,20,20", "header": 3)");
  EXPECT_NEAR(ExpectedAnswerOf(crossover).answer.number, 333.33, 0.01);
}

TEST(ExerciseProgress, KeepsEveryAttemptAndExportsNoAnswerBeforeIt) {
  ExerciseSheet sheet{"Week 3", {}};
  for (const char* question : {"=1+1", "+1", "-1", "@SUM", "\tTab", "\rReturn", "plain"}) {
    Exercise e = ExerciseOf(R"("ask": "bottleneck", "size": 300, "rates": "2,0.5,5", "delays": "50,50,50")");
    e.question = question;
    sheet.exercises.push_back(e);
  }
  std::vector<ExerciseRecord> records(sheet.exercises.size());
  const std::string before = ProgressCsv(sheet, records);
  EXPECT_EQ(before.find("0.5"), std::string::npos) << before;
  for (const char* guarded : {",'=1+1,", ",'+1,", ",'-1,", ",'@SUM,", ",'\tTab,", ",\"'\rReturn\","}) {
    EXPECT_NE(before.find(guarded), std::string::npos) << guarded;
  }
  records[6].attempts = {{"1", false, "2026-12-10T09:00:00Z", true}, {"0.5", true, "2026-12-10T09:01:00Z", false}};
  const std::string after = ProgressCsv(sheet, records);
  EXPECT_NE(after.find("Week 3,7,bottleneck,plain,1,2026-12-10T09:00:00Z,1,yes,0.5,no\r\n"
                       "Week 3,7,bottleneck,plain,2,2026-12-10T09:01:00Z,0.5,no,0.5,yes\r\n"),
            std::string::npos) << after;
  EXPECT_EQ(ProgressSummary(records), "1 of 7 answered, 1 within tolerance");

  const std::vector<ExerciseRecord> kept = ReadProgress(ProgressText(records), records.size());
  ASSERT_EQ(kept[6].attempts.size(), 2U);
  EXPECT_TRUE(kept[6].attempts[0].hinted);
  EXPECT_EQ(kept[6].attempts[1].time, "2026-12-10T09:01:00Z");
  // Kept by the version before attempts: the last answer, at a time not known.
  const auto first = ReadProgress("exercises 1\ny\t6050 ms\n-", 2);
  ASSERT_TRUE(first[0].answered());
  EXPECT_EQ(first[0].attempts[0].answer, "6050 ms");
  EXPECT_TRUE(first[0].within());
  EXPECT_FALSE(first[1].answered());
  for (const char* damaged : {"exercises 2\ny\t\tx\t1", "exercises 2\nq\t\t\t1", "exercises 9\n-"}) {
    EXPECT_FALSE(ReadProgress(damaged, 1)[0].answered()) << damaged;
  }
  EXPECT_EQ(UtcText(0), "1970-01-01T00:00:00Z");
  EXPECT_EQ(UtcText(951825600), "2000-02-29T12:00:00Z");
  EXPECT_EQ(UtcText(-1), "1969-12-31T23:59:59Z");
}

TEST(AnswerKey, WarnsWhereTheRunCannotShowTheAnswerAndWritesJson) {
  const Exercise late = ExerciseOf(
      R"("ask": "completion", "technique": "Message", "size": 1000, "rates": "1,1,1", "delays": "20,20,20")");
  EXPECT_NE(CheckLine(2, late).find("warning: the run ends at 15 s"), std::string::npos) << CheckLine(2, late);
  const std::string json = AnswerKeyJson(ExerciseSheet{"T", {late}});
  EXPECT_EQ(json.rfind(R"({"title":"T","exercises":[{"number":1,"ask":"completion","technique":"Message",)"
                                 R"("expected":"15300 ms","value":15300,"accepted":"14535 to )", 0), 0U) << json;
  EXPECT_NE(json.find(R"("simulated":"not all delivered within 15 s","warnings":["the run ends)"), std::string::npos);
}

TEST(ExerciseGrading, AsksTheLabsFromTheirFormulasBesideTheirRuns) {
  const std::string share = R"("users": 35, "active": 0.1, "user_rate": "0.1", "link_rate": "1")";
  struct Case {
    std::string members;
    std::vector<std::pair<std::string, bool>> typed;  // an answer and whether it counts
    std::string formula;                               // in the outcome's formula line
  };
  const std::vector<Case> cases = {
      {R"("ask": "circuit-users", "user_rate": "0.1", "link_rate": "0.3")",
       {{"3", true}, {"3 users", true}, {"2", false}, {"4", false}},
       "floor(C / r) = floor(0.3 / 0.1) = 3"},
      {R"("ask": "congestion", "tolerance": 10, )" + share,
       {{"0.000424", true}, {"4.2e-4", true}, {"0.0424 %", true}, {"0.0003", false}, {"0.01", false}},
       "P(X > 10) = \u03a3_{k=11..35} C(35, k)"},
      {R"("ask": "queue-wait", "intensity": 0.8)", {{"200", true}, {"0.2 s", true}, {"205 ms", true}, {"250", false}},
       "= 200 ms"},
  };
  for (const Case& c : cases) {
    const Exercise exercise = ExerciseOf(c.members);
    const ExpectedAnswer expected = ExpectedAnswerOf(exercise);
    for (const auto& [typed, counts] : c.typed) {
      const auto answer = ReadAnswer(exercise, typed).answer;
      ASSERT_TRUE(answer) << typed;
      EXPECT_EQ(WithinTolerance(exercise, expected, *answer), counts) << c.members << " " << typed;
    }
    EXPECT_FALSE(ReadAnswer(exercise, "lots").answer);
    const std::string outcome = Outcome(exercise, expected, c.typed.front().first);
    EXPECT_NE(outcome.find(c.formula), std::string::npos) << outcome;
    EXPECT_NE(outcome.find("Simulated: "), std::string::npos) << outcome;
    EXPECT_TRUE(AnswerKeyOf(1, exercise, TextFor::Programs).warnings.empty()) << CheckLine(1, exercise);
  }
  // A short run's figure strays outside a narrow tolerance, and the teacher is told.
  const Exercise narrow = ExerciseOf(R"("ask": "congestion", "tolerance": 1, "slots": 2000, )" + share);
  EXPECT_FALSE(AnswerKeyOf(1, narrow, TextFor::Programs).warnings.empty());

  for (const std::string& bad : std::vector<std::string>
       {R"("ask": "queue-wait", "intensity": 0.8, "buffer": 4)", R"("ask": "queue-wait", "intensity": 1)",
        R"("ask": "circuit-users", "user_rate": "0.1", "link_rate": "1", "rates": "1,1,1")",
        R"("ask": "circuit-users", "user_rate": "0.1", "link_rate": "1", "seed": 3)",
        R"("ask": "congestion", "slots": 300000, )" + share, R"("ask": "congestion", "users": 35)",
        R"("ask": "circuit-users", "user_rate": "2", "link_rate": "1")"}) {
    const SheetReading reading = ReadExerciseSheet(R"({"title": "T", "exercises": [{"question": "Q", )" + bad + "}]}");
    EXPECT_FALSE(reading.sheet) << bad;
  }
}

}  // namespace
}  // namespace switchsim
