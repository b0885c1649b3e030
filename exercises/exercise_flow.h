#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classroom/classroom.h"
#include "exercises/exercise.h"
#include "exercises/exercise_answer.h"
#include "exercises/exercise_outcome.h"
#include "exercises/exercise_progress.h"

namespace switchsim {

/// Where a set of exercises stands.
enum class ExerciseStep {
  Closed,    // no set is open
  Asking,    // the question is shown, the form set up, the readouts hidden
  Running,   // the answer is taken and the run (or runs) goes on
  Answered,  // the outcome is shown
  Done,      // every exercise of the set has been taken in turn
};

/// The answer graded, and all that is shown after it, one labelled line
/// each (see OutcomeLines): your answer, expected, simulated, the verdict,
/// the formula, why, and the exercise's own explanation.
struct ExerciseOutcome {
  Answer answer;
  ExpectedAnswer expected;
  bool within = false;
  std::vector<OutcomeLine> lines;
};

/// Asks the exercises of a set in turn: each sets up the form (technique,
/// size, rates, delays, packet and header size, seed) and asks its question
/// with the readouts that would give the answer away hidden (see
/// Classroom::ReadoutsHidden); the student commits an answer, the run
/// starts, and once its data has arrived (or the run has ended) the outcome
/// is shown and kept in the set's progress. Every step is said as a notice
/// of the classroom, which the front ends show and read aloud.
///
/// `classroom` is borrowed and must outlive the flow. A front end calls
/// AfterTick after every tick of the form, and keeps ProgressText under
/// "exercises/" + SheetKey after every change of Revision.
class ExerciseFlow {
 public:
  /// The wall clock, in seconds since 1970-01-01 00:00 UTC, for the time of each attempt.
  using WallClock = std::function<std::int64_t()>;
  static std::int64_t SystemSeconds();

  explicit ExerciseFlow(Classroom& classroom, WallClock clock = SystemSeconds);

  /// Opens `sheet` (it has at least one exercise) with the progress kept
  /// for it, at its first exercise not yet answered (the first if all are).
  void Open(ExerciseSheet sheet, std::string_view stored_progress = {});
  /// Closes the set and shows the readouts again; the form stays as it is.
  void Close();

  ExerciseStep Step() const { return step_; }
  /// The set as a person reads it: a course's own texts in the language in
  /// use when it was opened (see ShownSheet); its progress is kept under
  /// the key of its texts as given.
  const ExerciseSheet& Sheet() const { return shown_; }
  /// The exercise asked, from 0; valid unless Closed. Its texts as Sheet's.
  int Index() const { return index_; }
  const Exercise& Current() const;
  /// "Exercise 3 of 12 · Switching": the exercise's number and the set's title.
  std::string Heading() const;
  /// What to type, for the answer box's label: "Your answer, in ms".
  std::string Prompt() const;
  /// The answer box's choices for a question of choices (the techniques,
  /// a which-change question's changes in words), else none.
  std::vector<std::string> Choices() const;
  /// The teacher's hint of the exercise asked; "" when it has none.
  const std::string& TeacherHint() const;
  /// Whether the hint has been shown for this question.
  bool HintShown() const { return hint_shown_; }
  /// While Asking, shows the teacher's hint: says it, and the attempt
  /// records that it was shown. Nothing when there is none.
  void ShowHint();

  /// Takes a typed answer while Asking: an answer is graded, the run
  /// starts, and nothing is returned. A text that is no answer changes
  /// nothing and returns the hint, which is also said.
  std::optional<std::string> Commit(std::string_view typed);
  /// After every tick: starts the next technique of a `fastest` question,
  /// and shows the outcome once the last run's data has arrived or its run has ended.
  void AfterTick();

  /// The outcome of the exercise asked; set once Answered.
  const std::optional<ExerciseOutcome>& Outcome() const { return outcome_; }
  /// The outcome's lines as one text.
  std::string OutcomeText() const;

  /// Asks the same exercise again (while Answered).
  void Retry();
  /// On to the next exercise, or Done after the last.
  void Next();
  /// Asks exercise `index` (from 0) of the set.
  void GoTo(int index);
  /// Forgets the set's progress and asks its first exercise again. A front
  /// end asks StartAgainQuestion first, where it is not empty.
  void StartAgain();
  /// What to ask before StartAgain: "" when it would forget nothing, else
  /// "Start "Week 3" again? The answers to 3 exercises (5 attempts) will be forgotten."
  std::string StartAgainQuestion() const;

  const std::vector<ExerciseRecord>& Records() const { return records_; }
  /// The progress to keep: see ProgressText.
  std::string ProgressText() const;
  /// The key to keep it under: "exercises/" followed by the set's SheetKey.
  std::string ProgressKey() const;
  std::string ProgressCsv() const;
  std::string ProgressSummary() const;

  /// Counts every change a front end shows: a step, an exercise, an outcome.
  std::uint64_t Revision() const { return revision_; }

 private:
  void Ask(int index);
  void StartRun(const RunParameters& parameters);
  std::vector<RunParameters> RunsOfAnswer() const;
  void Finish();
  void Changed();

  Classroom& classroom_;
  ExerciseSheet sheet_;  // as given: the progress's key and export
  ExerciseSheet shown_;  // as a person reads it
  std::vector<ExerciseRecord> records_;
  ExerciseStep step_ = ExerciseStep::Closed;
  int index_ = 0;
  std::optional<Answer> answer_;
  std::vector<RunParameters> runs_left_;  // the runs still to make for this answer
  bool run_started_ = false;            // a run of this answer has been started
  bool hint_shown_ = false;
  std::optional<ExerciseOutcome> outcome_;
  WallClock clock_;
  std::uint64_t revision_ = 0;
};

}  // namespace switchsim
