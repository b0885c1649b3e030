#include "exercises/exercise_flow.h"

#include <chrono>

#include "form/lists.h"
#include "form/run_choice.h"

namespace switchsim {

std::int64_t ExerciseFlow::SystemSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

ExerciseFlow::ExerciseFlow(Classroom& classroom, WallClock clock)
    : classroom_(classroom), clock_(std::move(clock)) {}

void ExerciseFlow::Open(ExerciseSheet sheet, std::string_view stored_progress) {
  if (sheet.exercises.empty()) return;
  sheet_ = std::move(sheet);
  records_ = ReadProgress(stored_progress, sheet_.exercises.size());
  int first = 0;
  while (first < static_cast<int>(records_.size()) && records_[first].answered()) ++first;
  if (first == static_cast<int>(records_.size())) first = 0;
  classroom_.Announce("Opened " + Quoted(sheet_.title) + ": " + ProgressSummary());
  Ask(first);
}

void ExerciseFlow::Close() {
  step_ = ExerciseStep::Closed;
  classroom_.SetReadoutsHidden(false);
  Changed();
}

const Exercise& ExerciseFlow::Current() const { return sheet_.exercises.at(index_); }

std::string ExerciseFlow::Heading() const {
  return "Exercise " + std::to_string(index_ + 1) + " of " + std::to_string(sheet_.exercises.size()) +
         " \u00b7 " + sheet_.title;
}

std::string ExerciseFlow::Prompt() const {
  switch (Current().ask) {
    case ExerciseAsk::Completion: return "Your answer, in ms";
    case ExerciseAsk::Fastest: return "Your answer: Message, Circuit or Packet";
    case ExerciseAsk::Bottleneck: return "Your answer: a rate, as the rate boxes show it";
    case ExerciseAsk::OptimalPacket: return "Your answer, in blocks (1 to 50)";
    case ExerciseAsk::WhichChange: return "Your answer: one of the changes";
    case ExerciseAsk::Crossover: return "Your answer, in " + AnswerUnit(Current());
    case ExerciseAsk::CircuitUsers: return "Your answer: a number of users";
    case ExerciseAsk::Congestion: return "Your answer: a probability, such as 0.01";
    case ExerciseAsk::QueueWait: return "Your answer, in ms";
  }
  return {};
}

std::vector<std::string> ExerciseFlow::Choices() const { return ChoicesOf(Current()); }

const std::string& ExerciseFlow::TeacherHint() const {
  static const std::string none;
  return step_ == ExerciseStep::Closed || step_ == ExerciseStep::Done ? none : Current().hint;
}

void ExerciseFlow::ShowHint() {
  if (step_ != ExerciseStep::Asking || TeacherHint().empty() || hint_shown_) return;
  hint_shown_ = true;
  classroom_.Announce("Hint: " + TeacherHint());
  Changed();
}

void ExerciseFlow::Ask(int index) {
  index_ = index;
  const Exercise& exercise = Current();
  step_ = ExerciseStep::Asking;
  answer_.reset();
  outcome_.reset();
  runs_left_.clear();
  hint_shown_ = false;
  classroom_.SetReadoutsHidden(true);
  // A lab's question leaves the form as it is: its run is the lab's.
  if (!IsLabAsk(exercise.ask)) {
    if (auto refusal = classroom_.SetUpRun(exercise.parameters)) classroom_.Announce(*refusal);
  }
  // An earlier run's markers would show their times against the time scale.
  classroom_.ClearTraces();
  classroom_.Announce(Heading() + ". " + exercise.question + " " + Prompt());
  Changed();
}

std::vector<RunParameters> ExerciseFlow::RunsOfAnswer() const {
  const Exercise& exercise = Current();
  RunParameters p = exercise.parameters;
  switch (exercise.ask) {
    case ExerciseAsk::Completion: return {p};
    case ExerciseAsk::Bottleneck: p.technique = std::string(kMethodCircuit); return {p};
    case ExerciseAsk::OptimalPacket:
      p.technique = std::string(kMethodPacket);
      p.packeting.packet_blocks = static_cast<int>(answer_->number);
      return {p};
    case ExerciseAsk::Fastest: {
      std::vector<RunParameters> runs;
      for (const std::string_view technique : lists::kMethodItems) {
        runs.push_back(p);
        runs.back().technique = std::string(technique);
      }
      return runs;
    }
    case ExerciseAsk::WhichChange: {
      std::vector<RunParameters> runs;
      for (const ParameterChange& change : exercise.changes) runs.push_back(ChangedParameters(p, change));
      return runs;
    }
    case ExerciseAsk::Crossover: return {};  // a sweep: Explore draws it
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: return {};  // the lab's run, made with the grading
  }
  return {};
}

std::optional<std::string> ExerciseFlow::Commit(std::string_view typed) {
  if (step_ != ExerciseStep::Asking) return "No question is waiting for an answer";
  AnswerReading reading = ReadAnswer(Current(), typed);
  if (!reading.answer) {
    classroom_.Announce(reading.hint);
    Changed();
    return reading.hint;
  }
  answer_ = std::move(reading.answer);
  classroom_.SetReadoutsHidden(false);
  runs_left_ = RunsOfAnswer();
  classroom_.Announce("Answer taken: " + AnswerText(Current(), *answer_) +
                      (runs_left_.empty() ? "" : "; the run starts"));
  step_ = ExerciseStep::Running;
  Changed();
  AfterTick();
  return std::nullopt;
}

void ExerciseFlow::StartRun(const RunParameters& parameters) {
  run_started_ = true;
  if (auto refusal = classroom_.StartRun(parameters)) classroom_.Announce(*refusal);
}

void ExerciseFlow::AfterTick() {
  if (step_ != ExerciseStep::Running) return;
  const RunPhase phase = classroom_.Phase();
  const bool run_over = !run_started_ || classroom_.Delivered() || phase == RunPhase::Ended ||
                        phase == RunPhase::Ready;
  if (!run_over) return;
  if (runs_left_.empty()) {
    Finish();
    return;
  }
  const RunParameters next = runs_left_.front();
  runs_left_.erase(runs_left_.begin());
  StartRun(next);
}

void ExerciseFlow::Finish() {
  run_started_ = false;
  const Exercise& exercise = Current();
  ExerciseOutcome outcome{*answer_, ExpectedAnswerOf(exercise), false, {}};
  outcome.within = WithinTolerance(exercise, outcome.expected, outcome.answer);
  outcome.lines = OutcomeLines(exercise, outcome.answer, outcome.expected, outcome.within);
  records_.at(index_).attempts.push_back(
      Attempt{AnswerText(exercise, outcome.answer), outcome.within, UtcText(clock_()), hint_shown_});
  classroom_.Announce((outcome.within ? "Right. " : "Not quite. ") + outcome.lines.at(1).label + ": " +
                      outcome.lines.at(1).text + ".");
  outcome_ = std::move(outcome);
  step_ = ExerciseStep::Answered;
  Changed();
}

std::string ExerciseFlow::OutcomeText() const { return outcome_ ? LabelledLinesText(outcome_->lines) : std::string(); }

void ExerciseFlow::Retry() {
  if (step_ == ExerciseStep::Answered) Ask(index_);
}

void ExerciseFlow::Next() {
  if (step_ == ExerciseStep::Closed) return;
  if (index_ + 1 < static_cast<int>(sheet_.exercises.size())) {
    Ask(index_ + 1);
    return;
  }
  step_ = ExerciseStep::Done;
  classroom_.SetReadoutsHidden(false);
  classroom_.Announce("All exercises of " + Quoted(sheet_.title) + " taken: " + ProgressSummary());
  Changed();
}

void ExerciseFlow::GoTo(int index) {
  if (step_ != ExerciseStep::Closed && index >= 0 && index < static_cast<int>(sheet_.exercises.size())) {
    Ask(index);
  }
}

std::string ExerciseFlow::StartAgainQuestion() const {
  std::size_t answered = 0;
  std::size_t attempts = 0;
  for (const ExerciseRecord& record : records_) {
    answered += record.answered() ? 1 : 0;
    attempts += record.attempts.size();
  }
  if (step_ == ExerciseStep::Closed || attempts == 0) return {};
  const auto count = [](std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  return "Start " + Quoted(sheet_.title) + " again? The answers to " + count(answered, "exercise", "exercises") +
         " (" + count(attempts, "attempt", "attempts") + ") will be forgotten.";
}

void ExerciseFlow::StartAgain() {
  if (step_ == ExerciseStep::Closed) return;
  records_.assign(sheet_.exercises.size(), ExerciseRecord{});
  classroom_.Announce("Progress of " + Quoted(sheet_.title) + " cleared");
  Ask(0);
}

std::string ExerciseFlow::ProgressText() const { return switchsim::ProgressText(records_); }
std::string ExerciseFlow::ProgressKey() const { return "exercises/" + SheetKey(sheet_); }
std::string ExerciseFlow::ProgressCsv() const { return switchsim::ProgressCsv(sheet_, records_); }
std::string ExerciseFlow::ProgressSummary() const { return switchsim::ProgressSummary(records_); }

void ExerciseFlow::Changed() { ++revision_; }

}  // namespace switchsim
