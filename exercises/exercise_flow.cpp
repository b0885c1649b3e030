#include "exercises/exercise_flow.h"

#include <chrono>

#include "form/lists.h"
#include "exercises/exercise_course.h"
#include "form/run_choice.h"
#include "text/translation.h"

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
  shown_ = ShownSheet(sheet_);
  records_ = ReadProgress(stored_progress, sheet_.exercises.size());
  int first = 0;
  while (first < static_cast<int>(records_.size()) && records_[first].answered()) ++first;
  if (first == static_cast<int>(records_.size())) first = 0;
  classroom_.Announce(Fill(Tr("Opened {0}: {1}"), {Quoted(shown_.title), ProgressSummary()}));
  Ask(first);
}

void ExerciseFlow::Close() {
  step_ = ExerciseStep::Closed;
  classroom_.SetReadoutsHidden(false);
  Changed();
}

const Exercise& ExerciseFlow::Current() const { return shown_.exercises.at(index_); }

std::string ExerciseFlow::Heading() const {
  return Fill(Tr("Exercise {0} of {1} · {2}"),
              {std::to_string(index_ + 1), std::to_string(shown_.exercises.size()), shown_.title});
}

std::string ExerciseFlow::Prompt() const {
  switch (Current().ask) {
    case ExerciseAsk::Completion: return Tr("Your answer, in ms");
    case ExerciseAsk::Fastest: return Tr("Your answer: Message, Circuit or Packet");
    case ExerciseAsk::Bottleneck: return Tr("Your answer: a rate, as the rate boxes show it");
    case ExerciseAsk::OptimalPacket: return Tr("Your answer, in blocks (1 to 50)");
    case ExerciseAsk::WhichChange: return Tr("Your answer: one of the changes");
    case ExerciseAsk::Crossover: return Fill(Tr("Your answer, in {0}"), {AnswerUnit(Current())});
    case ExerciseAsk::CircuitUsers: return Tr("Your answer: a number of users");
    case ExerciseAsk::Congestion: return Tr("Your answer: a probability, such as 0.01");
    case ExerciseAsk::QueueWait: return Tr("Your answer, in ms");
  }
  return {};
}

std::vector<std::string> ExerciseFlow::Choices() const { return ChoicesOf(Current(), TextFor::People); }

const std::string& ExerciseFlow::TeacherHint() const {
  static const std::string none;
  return step_ == ExerciseStep::Closed || step_ == ExerciseStep::Done ? none : Current().hint;
}

void ExerciseFlow::ShowHint() {
  if (step_ != ExerciseStep::Asking || TeacherHint().empty() || hint_shown_) return;
  hint_shown_ = true;
  classroom_.Announce(Fill(Tr("Hint: {0}"), {TeacherHint()}));
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
  if (step_ != ExerciseStep::Asking) return Tr("No question is waiting for an answer");
  AnswerReading reading = ReadAnswer(Current(), typed);
  if (!reading.answer) {
    classroom_.Announce(reading.hint);
    Changed();
    return reading.hint;
  }
  answer_ = std::move(reading.answer);
  classroom_.SetReadoutsHidden(false);
  runs_left_ = RunsOfAnswer();
  const std::string taken = AnswerText(Current(), *answer_, TextFor::People);
  classroom_.Announce(runs_left_.empty() ? Fill(Tr("Answer taken: {0}"), {taken})
                                         : Fill(Tr("Answer taken: {0}; the run starts"), {taken}));
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
      Attempt{AnswerText(exercise, outcome.answer, TextFor::Programs), outcome.within, UtcText(clock_()),
              hint_shown_});
  const OutcomeLine& expected = outcome.lines.at(1);
  classroom_.Announce(outcome.within ? Fill(Tr("Right. {0}: {1}."), {expected.label, expected.text})
                                     : Fill(Tr("Not quite. {0}: {1}."), {expected.label, expected.text}));
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
  classroom_.Announce(Fill(Tr("All exercises of {0} taken: {1}"), {Quoted(shown_.title), ProgressSummary()}));
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
  const auto n = [](std::size_t count) { return static_cast<long long>(count); };
  return Fill(TrN("Start {0} again? The answers to {1} exercise ({2}) will be forgotten.",
                  "Start {0} again? The answers to {1} exercises ({2}) will be forgotten.", n(answered)),
              {Quoted(shown_.title), std::to_string(answered),
               Fill(TrN("{0} attempt", "{0} attempts", n(attempts)), {std::to_string(attempts)})});
}

void ExerciseFlow::StartAgain() {
  if (step_ == ExerciseStep::Closed) return;
  records_.assign(sheet_.exercises.size(), ExerciseRecord{});
  classroom_.Announce(Fill(Tr("Progress of {0} cleared"), {Quoted(shown_.title)}));
  Ask(0);
}

std::string ExerciseFlow::ProgressText() const { return switchsim::ProgressText(records_); }
std::string ExerciseFlow::ProgressKey() const { return "exercises/" + SheetKey(sheet_); }
std::string ExerciseFlow::ProgressCsv() const { return switchsim::ProgressCsv(sheet_, records_); }
std::string ExerciseFlow::ProgressSummary() const { return switchsim::ProgressSummary(records_); }

void ExerciseFlow::Changed() { ++revision_; }

}  // namespace switchsim
