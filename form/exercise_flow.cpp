#include "exercise_flow.h"

#include "exercise_outcome.h"
#include "lists.h"

namespace switchsim {
ExerciseFlow::ExerciseFlow(Classroom& classroom) : classroom_(classroom) {}

void ExerciseFlow::Open(ExerciseSheet sheet, std::string_view stored_progress) {
  if (sheet.exercises.empty()) return;
  sheet_ = std::move(sheet);
  records_ = ReadProgress(stored_progress, sheet_.exercises.size());
  int first = 0;
  while (first < static_cast<int>(records_.size()) && records_[first].answered) ++first;
  if (first == static_cast<int>(records_.size())) first = 0;
  classroom_.Announce("Opened " + sheet_.title + ": " + ProgressSummary());
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
  }
  return {};
}

std::vector<std::string> ExerciseFlow::Choices() const {
  if (Current().ask != ExerciseAsk::Fastest) return {};
  return {lists::kMethodItems.begin(), lists::kMethodItems.end()};
}

void ExerciseFlow::Ask(int index) {
  index_ = index;
  const Exercise& exercise = Current();
  step_ = ExerciseStep::Asking;
  answer_.reset();
  outcome_.reset();
  runs_left_.clear();
  classroom_.SetReadoutsHidden(true);
  if (auto refusal = classroom_.SetUpRun(exercise.parameters)) classroom_.Announce(*refusal);
  // An earlier run's markers would show their times against the time scale.
  classroom_.ClearTraces();
  classroom_.Announce(Heading() + ". " + exercise.question + " " + Prompt());
  Changed();
}

std::optional<std::string> ExerciseFlow::Commit(std::string_view typed) {
  if (step_ != ExerciseStep::Asking) return "No question is waiting for an answer";
  AnswerReading reading = ReadAnswer(Current().ask, typed);
  if (!reading.answer) {
    classroom_.Announce(reading.hint);
    Changed();
    return reading.hint;
  }
  answer_ = std::move(reading.answer);
  classroom_.SetReadoutsHidden(false);
  classroom_.Announce("Answer taken: " + AnswerText(Current().ask, *answer_) + "; the run starts");
  switch (Current().ask) {
    case ExerciseAsk::Completion: runs_left_ = {Current().parameters.technique}; break;
    case ExerciseAsk::Bottleneck: runs_left_ = {std::string(kMethodCircuit)}; break;
    case ExerciseAsk::OptimalPacket: runs_left_ = {std::string(kMethodPacket)}; break;
    case ExerciseAsk::Fastest: runs_left_ = {lists::kMethodItems.begin(), lists::kMethodItems.end()}; break;
  }
  step_ = ExerciseStep::Running;
  Changed();
  AfterTick();
  return std::nullopt;
}

void ExerciseFlow::StartRun(const std::string& technique) {
  RunParameters parameters = Current().parameters;
  parameters.technique = technique;
  if (Current().ask == ExerciseAsk::OptimalPacket) {
    parameters.packeting.packet_blocks = static_cast<int>(answer_->number);
  }
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
  const std::string next = runs_left_.front();
  runs_left_.erase(runs_left_.begin());
  StartRun(next);
}

void ExerciseFlow::Finish() {
  run_started_ = false;
  const Exercise& exercise = Current();
  ExerciseOutcome outcome{*answer_, ExpectedAnswerOf(exercise), false, {}};
  outcome.within = WithinTolerance(exercise, outcome.expected, outcome.answer);
  outcome.lines = OutcomeLines(exercise, outcome.answer, outcome.expected, outcome.within);
  records_.at(index_) = ExerciseRecord{true, outcome.within, AnswerText(exercise.ask, outcome.answer)};
  classroom_.Announce((outcome.within ? "Right. " : "Not quite. ") + outcome.lines.at(1) + ". " +
                      outcome.lines.at(2));
  outcome_ = std::move(outcome);
  step_ = ExerciseStep::Answered;
  Changed();
}

std::string ExerciseFlow::OutcomeText() const {
  if (!outcome_) return {};
  std::string text;
  for (const std::string& line : outcome_->lines) text += line + "\n";
  return text;
}

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
  classroom_.Announce("All exercises of " + sheet_.title + " taken: " + ProgressSummary());
  Changed();
}

void ExerciseFlow::GoTo(int index) {
  if (step_ != ExerciseStep::Closed && index >= 0 && index < static_cast<int>(sheet_.exercises.size())) {
    Ask(index);
  }
}

void ExerciseFlow::StartAgain() {
  if (step_ == ExerciseStep::Closed) return;
  records_.assign(sheet_.exercises.size(), ExerciseRecord{});
  classroom_.Announce("Progress of " + sheet_.title + " cleared");
  Ask(0);
}

std::string ExerciseFlow::ProgressText() const { return switchsim::ProgressText(records_); }
std::string ExerciseFlow::ProgressKey() const { return "exercises/" + SheetKey(sheet_); }
std::string ExerciseFlow::ProgressCsv() const { return switchsim::ProgressCsv(sheet_, records_); }
std::string ExerciseFlow::ProgressSummary() const { return switchsim::ProgressSummary(records_); }

void ExerciseFlow::Changed() { ++revision_; }

}  // namespace switchsim
