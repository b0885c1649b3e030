#include "exercise_flow.h"

#include <cmath>

#include "continuous_time.h"
#include "curve_marks.h"
#include "delivery_run.h"
#include "lists.h"
#include "numbers.h"
#include "reading_guide.h"
#include "results_format.h"

namespace switchsim {
namespace {

std::string Percent(double percent) { return ShortestText(percent) + " %"; }

std::string SimulatedText(const std::optional<std::int32_t>& ms) {
  return ms ? std::to_string(*ms) + " ms" : std::string("not all delivered within 15 s");
}

// Why the tick's value differs from the formula's, with the difference.
std::string TickLine(double formula_ms, const std::optional<std::int32_t>& simulated_ms) {
  std::string line =
      "The simulation moves in ticks of 25 ms: a unit starts, is forwarded and is seen to arrive "
      "only at a tick, so at each hop it may wait up to 25 ms longer than in continuous time";
  if (simulated_ms) line += "; here the tick adds " + FormulaText(*simulated_ms - formula_ms) + " ms";
  return line + ".";
}

std::string FormulaLine(std::string_view technique, const LinkModel& model) {
  const Formula f = FormulaOf(technique, model);
  return f.technique + ": " + f.symbols + " = " + f.filled_in + " = " + FormulaText(f.ms) + " ms";
}

}  // namespace

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
  classroom_.Announce(Heading() + ". " + exercise.question + " " + Prompt() + ".");
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
  classroom_.Announce("Answer taken: " + AnswerText(Current().ask, *answer_) + ". The run starts.");
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
  outcome.lines = OutcomeLines(outcome);
  records_.at(index_) = ExerciseRecord{true, outcome.within, AnswerText(exercise.ask, outcome.answer)};
  classroom_.Announce((outcome.within ? "Right. " : "Not quite. ") + outcome.lines.at(1) + ". " +
                      outcome.lines.at(2));
  outcome_ = std::move(outcome);
  step_ = ExerciseStep::Answered;
  Changed();
}

std::vector<std::string> ExerciseFlow::OutcomeLines(const ExerciseOutcome& o) const {
  const Exercise& exercise = Current();
  const ExpectedAnswer& e = o.expected;
  const LinkModel model = ModelOf(exercise.parameters);
  const std::string verdict = o.within ? "yes" : "no";
  const std::string expected = AnswerText(exercise.ask, e.answer);
  std::vector<std::string> lines = {"Your answer: " + AnswerText(exercise.ask, o.answer)};
  switch (exercise.ask) {
    case ExerciseAsk::Completion:
      lines.push_back("Continuous time: " + expected + "; simulated: " + SimulatedText(e.simulated_ms));
      lines.push_back("Within " + Percent(exercise.tolerance_percent) + " of " + expected + ": " + verdict);
      lines.push_back("Formula, " + FormulaLine(exercise.parameters.technique, model));
      lines.push_back(TickLine(e.continuous_ms, e.simulated_ms));
      break;
    case ExerciseAsk::Fastest: {
      std::string simulated = "Simulated:";
      std::string continuous = "; continuous time:";
      DeliveryRun run;
      for (const std::string_view technique : lists::kMethodItems) {
        RunParameters p = exercise.parameters;
        p.technique = std::string(technique);
        simulated += " " + p.technique + " " + SimulatedText(run.CompletionMs(p)) + ",";
        continuous += " " + p.technique + " " + FormulaText(ContinuousCompletionMs(technique, model)) + " ms,";
      }
      simulated.pop_back();
      continuous.pop_back();
      lines.push_back(simulated + continuous);
      lines.push_back(e.acceptable.empty() ? "No technique delivers within 15 s"
                                           : "First to deliver: " + expected + ": " +
                                                 (o.within ? "right" : "not your answer"));
      if (!e.acceptable.empty()) {
        lines.push_back("Formula, " + FormulaLine(expected, model));
        lines.push_back(TickLine(e.continuous_ms, e.simulated_ms));
      }
      break;
    }
    case ExerciseAsk::Bottleneck:
      lines.push_back("The slowest link's rate: " + expected + " (rates " + exercise.parameters.rates[0] +
                      ", " + exercise.parameters.rates[1] + ", " + exercise.parameters.rates[2] + ")");
      lines.push_back("Within " + Percent(exercise.tolerance_percent) + " of " + expected + ": " + verdict);
      lines.push_back("The circuit streams its data through all three links at once, so it can go no "
                      "faster than the slowest of them; the form shows that rate in red in the "
                      "other links' boxes while the circuit runs.");
      lines.push_back("Formula, " + FormulaLine(kMethodCircuit, model));
      break;
    case ExerciseAsk::OptimalPacket: {
      LinkModel yours = model;
      yours.packeting.packet_blocks = static_cast<int>(o.answer.number);
      LinkModel best = model;
      best.packeting.packet_blocks = static_cast<int>(e.answer.number);
      lines.push_back("The least packet formula: " + expected + ", " + FormulaText(e.least_ms) +
                      " ms; with your size: " + FormulaText(ContinuousCompletionMs(kMethodPacket, yours)) + " ms");
      lines.push_back("Within " + Percent(exercise.tolerance_percent) + " of the least: " + verdict);
      lines.push_back("Formula at " + expected + ", " + FormulaLine(kMethodPacket, best));
      lines.push_back("Smaller packets let the links work at the same time, but each carries its own "
                      "header and each hop waits for a whole packet; the best size balances the two.");
      break;
    }
  }
  if (!exercise.explain.empty()) lines.push_back(exercise.explain);
  return lines;
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
