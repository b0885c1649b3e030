#include "exercises/answer_key.h"

#include <cmath>

#include "simulation/constants.h"
#include "text/json_writer.h"
#include "exercises/lab_exercise.h"

namespace switchsim {
namespace {

std::string MsText(const std::optional<std::int32_t>& ms) {
  return ms ? std::to_string(*ms) + " ms" : std::string("not all delivered within 15 s");
}

std::string SimulatedText(const Exercise& exercise, const ExpectedAnswer& e) {
  switch (exercise.ask) {
    case ExerciseAsk::Fastest:
    case ExerciseAsk::WhichChange:
      return e.simulated_answer ? e.simulated_answer->choice + " first (" + MsText(e.simulated_ms) + ")"
                                : std::string("no run delivers within 15 s");
    case ExerciseAsk::OptimalPacket:
      return e.simulated_answer ? AnswerText(exercise, *e.simulated_answer) + " soonest; at " +
                                      AnswerText(exercise, e.answer) + " " + MsText(e.simulated_ms)
                                : std::string("no run delivers within 15 s");
    case ExerciseAsk::Crossover:
      return e.simulated_answer ? "crossing at " + AnswerText(exercise, *e.simulated_answer)
                                : std::string("the simulated runs do not cross");
    case ExerciseAsk::Bottleneck: return "the circuit delivers at " + MsText(e.simulated_ms);
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: return LabSimulatedText(exercise, e);
    default: return MsText(e.simulated_ms);
  }
}

void AddWarnings(const Exercise& exercise, AnswerKeyEntry& entry) {
  const ExpectedAnswer& e = entry.expected;
  auto& warnings = entry.warnings;
  if (IsLabAsk(exercise.ask)) {
    if (e.simulated_answer && !WithinTolerance(exercise, e, *e.simulated_answer)) {
      warnings.push_back("the lab's run gives " + AnswerText(exercise, *e.simulated_answer) +
                         ", outside what counts: run more slots or packets, or widen the tolerance");
    }
    return;
  }
  const bool late = !e.simulated_ms || e.continuous_ms > kStopAfterMs;
  if (late && exercise.ask != ExerciseAsk::Crossover) {
    warnings.push_back("the run ends at 15 s, before the data arrives, so the class cannot see the answer in it");
  }
  if (UsesTolerance(exercise.ask)) {
    const std::optional<Answer> simulated = exercise.ask == ExerciseAsk::Crossover
                                                ? e.simulated_answer
                                                : (exercise.ask == ExerciseAsk::Completion && e.simulated_ms
                                                       ? std::optional<Answer>(Answer{double(*e.simulated_ms), {}})
                                                       : std::nullopt);
    if (simulated && !WithinTolerance(exercise, e, *simulated)) {
      warnings.push_back("the simulated " + AnswerText(exercise, *simulated) +
                         " lies outside what counts: formula and simulation disagree by more than the tolerance");
    }
    if (exercise.ask == ExerciseAsk::Crossover && !e.simulated_answer) {
      warnings.push_back("the simulated runs do not cross in the range, so Explore's points will not show it");
    }
    return;
  }
  if (e.formula_ties > 1) warnings.push_back("several answers tie in the formulas: all of them count");
  if (e.simulation_differs && e.simulated_answer) {
    warnings.push_back("formula and simulation disagree: the formulas give " + AnswerText(exercise, e.answer) +
                       ", the simulation " + AnswerText(exercise, *e.simulated_answer) + "; both count");
  }
}

}  // namespace

AnswerKeyEntry AnswerKeyOf(int number, const Exercise& exercise) {
  AnswerKeyEntry entry;
  entry.number = number;
  entry.expected = ExpectedAnswerOf(exercise);
  entry.expected_text = AnswerText(exercise, entry.expected.answer);
  entry.accepted_text = AcceptedText(exercise, entry.expected);
  entry.simulated_text = SimulatedText(exercise, entry.expected);
  AddWarnings(exercise, entry);
  return entry;
}

std::string CheckLine(int number, const Exercise& exercise) {
  const AnswerKeyEntry entry = AnswerKeyOf(number, exercise);
  std::string line = std::to_string(number) + " " + std::string(AskName(exercise.ask));
  if (exercise.ask == ExerciseAsk::Completion) line += " " + exercise.parameters.technique;
  line += " " + entry.expected_text + "; accepted " + entry.accepted_text + "; simulated " + entry.simulated_text;
  for (const std::string& warning : entry.warnings) line += "; warning: " + warning;
  return line;
}

std::string AnswerKeyJson(const ExerciseSheet& sheet) {
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("title").Text(sheet.title).Key("exercises").Open('[');
  for (std::size_t i = 0; i < sheet.exercises.size(); ++i) {
    const Exercise& exercise = sheet.exercises[i];
    const AnswerKeyEntry entry = AnswerKeyOf(static_cast<int>(i + 1), exercise);
    json.Open('{').Key("number").Integer(entry.number).Key("ask").Text(AskName(exercise.ask));
    json.Key("technique");
    if (exercise.ask == ExerciseAsk::Fastest || IsLabAsk(exercise.ask)) json.Null();
    else json.Text(exercise.parameters.technique);
    json.Key("expected").Text(entry.expected_text).Key("value");
    const bool choice = exercise.ask == ExerciseAsk::Fastest || exercise.ask == ExerciseAsk::WhichChange;
    if (choice) json.Null();
    else json.Number(entry.expected.answer.number);
    json.Key("accepted").Text(entry.accepted_text).Key("simulated").Text(entry.simulated_text);
    json.Key("warnings").Open('[');
    for (const std::string& warning : entry.warnings) json.Text(warning);
    json.Close(']').Close('}');
  }
  json.Close(']').Close('}');
  return out + "\n";
}

}  // namespace switchsim
