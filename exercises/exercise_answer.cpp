#include "exercises/exercise_answer.h"

#include <algorithm>
#include <cmath>

#include "simulation/constants.h"
#include "formulas/continuous_time.h"
#include "explore/curve_marks.h"
#include "explore/delivery_run.h"
#include "form/lists.h"
#include "simulation/numbers.h"
#include "records/results_format.h"
#include "explore/sweep.h"
#include "exercises/lab_exercise.h"
#include "text/number_texts.h"
#include "simulation/techniques.h"

namespace switchsim {
namespace {

// Formulas closer than this share of their value are taken as equal.
inline constexpr double kTieShare = 1e-9;

std::optional<std::int32_t> Simulated(DeliveryRun& run, RunParameters parameters, std::string_view technique) {
  parameters.technique = std::string(technique);
  return run.CompletionMs(parameters);
}

// The indices of the least of `values`, ties included; none if none is given.
template <typename Value>
std::vector<std::size_t> Least(const std::vector<Value>& values) {
  std::vector<std::size_t> least;
  std::optional<double> best;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!values[i]) continue;
    const double v = *values[i];
    if (!best || v < *best * (1 - kTieShare)) {
      best = v;
      least.clear();
    }
    if (v <= *best * (1 + kTieShare)) least.push_back(i);
  }
  return least;
}

bool Contains(const std::vector<std::size_t>& indices, std::size_t index) {
  return std::find(indices.begin(), indices.end(), index) != indices.end();
}

void AddAcceptable(ExpectedAnswer& expected, const std::string& text) {
  if (std::find(expected.acceptable.begin(), expected.acceptable.end(), text) == expected.acceptable.end()) {
    expected.acceptable.push_back(text);
  }
}

// A question of choices: the formula's and the simulation's first, and each choice's times.
void GradeChoices(const Exercise& exercise, const std::vector<RunParameters>& runs, ExpectedAnswer& expected) {
  const std::vector<std::string> choices = ChoicesOf(exercise);
  DeliveryRun run;
  std::vector<std::optional<double>> formulas;
  std::vector<std::optional<double>> simulated;
  for (const RunParameters& p : runs) {
    expected.each_ms.push_back(ContinuousCompletionMs(p.technique, ModelOf(p)));
    expected.each_simulated.push_back(run.CompletionMs(p));
    formulas.emplace_back(expected.each_ms.back());
    if (expected.each_simulated.back()) simulated.emplace_back(*expected.each_simulated.back());
    else simulated.emplace_back();
  }
  const std::vector<std::size_t> by_formula = Least(formulas);
  const std::size_t first = by_formula.at(0);
  expected.answer = Answer{static_cast<double>(first), choices.at(first)};
  expected.continuous_ms = expected.each_ms[first];
  for (const std::size_t i : by_formula) AddAcceptable(expected, choices[i]);
  expected.formula_ties = by_formula.size();
  const std::vector<std::size_t> by_run = Least(simulated);
  if (by_run.empty()) return;
  expected.simulated_answer = Answer{static_cast<double>(by_run[0]), choices[by_run[0]]};
  expected.simulation_differs = !Contains(by_formula, by_run[0]);
  expected.simulated_ms = expected.each_simulated[by_run[0]];
  for (const std::size_t i : by_run) AddAcceptable(expected, choices[i]);
}

std::vector<RunParameters> ChoiceRuns(const Exercise& exercise) {
  std::vector<RunParameters> runs;
  if (exercise.ask == ExerciseAsk::Fastest) {
    for (const std::string_view technique : lists::kMethodItems) {
      runs.push_back(exercise.parameters);
      runs.back().technique = std::string(technique);
    }
  } else {
    for (const ParameterChange& change : exercise.changes) {
      runs.push_back(ChangedParameters(exercise.parameters, change));
    }
  }
  return runs;
}

void GradePacket(const Exercise& exercise, ExpectedAnswer& expected) {
  const LinkModel model = ModelOf(exercise.parameters);
  std::vector<std::optional<double>> formulas(kFewestPacketBlocks);
  std::vector<std::optional<double>> simulated(kFewestPacketBlocks);
  DeliveryRun run;
  RunParameters p = exercise.parameters;
  p.technique = std::string(kMethodPacket);
  for (int blocks = kFewestPacketBlocks; blocks <= kMostPacketBlocks; ++blocks) {
    LinkModel tried = model;
    tried.packeting.packet_blocks = blocks;
    formulas.emplace_back(ContinuousCompletionMs(kMethodPacket, tried));
    p.packeting.packet_blocks = blocks;
    const auto ms = run.CompletionMs(p);
    if (ms) simulated.emplace_back(*ms);
    else simulated.emplace_back();
  }
  const std::vector<std::size_t> by_formula = Least(formulas);
  expected.answer.number = static_cast<double>(by_formula.at(0));
  expected.least_ms = *formulas[by_formula[0]];
  expected.continuous_ms = expected.least_ms;
  for (const std::size_t blocks : by_formula) AddAcceptable(expected, AnswerText(exercise, {double(blocks), {}}));
  expected.formula_ties = by_formula.size();
  p.packeting.packet_blocks = static_cast<int>(by_formula[0]);
  expected.simulated_ms = run.CompletionMs(p);
  const std::vector<std::size_t> by_run = Least(simulated);
  if (by_run.empty()) return;
  expected.simulated_answer = Answer{static_cast<double>(by_run[0]), {}};
  expected.simulation_differs = !Contains(by_formula, by_run[0]);
  for (const std::size_t blocks : by_run) AddAcceptable(expected, AnswerText(exercise, {double(blocks), {}}));
}

void GradeCrossover(const Exercise& exercise, ExpectedAnswer& expected) {
  Sweep sweep(*exercise.sweep, exercise.parameters, exercise.parameters.seed, 1);
  const int faster = TechniqueIndex(exercise.parameters.technique);
  const int slower = TechniqueIndex(exercise.overtaken);
  const auto first = [&](const std::vector<Overtake>& overtakes) -> std::optional<Overtake> {
    for (const Overtake& o : overtakes) {
      if (o.faster == faster && o.slower == slower) return o;
    }
    return std::nullopt;
  };
  if (const auto formula = first(FindOvertakes(sweep))) {
    expected.answer.number = formula->x;
    expected.continuous_ms = formula->ms;
  } else {
    expected.answer.number = std::nan("");
  }
  sweep.RunNext(sweep.RunCount());
  if (const auto simulated = first(FindSimulatedOvertakes(sweep))) {
    expected.simulated_answer = Answer{simulated->x, {}};
    expected.simulated_ms = static_cast<std::int32_t>(std::lround(simulated->ms));
  }
}

std::string Tenths(double value) { return ShortestText(std::round(value * 10) / 10); }

std::string Joined(const std::vector<std::string>& texts) {
  std::string out;
  for (std::size_t i = 0; i < texts.size(); ++i) out += (i == 0 ? "" : " or ") + texts[i];
  return out;
}

}  // namespace

ExpectedAnswer ExpectedAnswerOf(const Exercise& exercise) {
  const RunParameters& p = exercise.parameters;
  const LinkModel model = ModelOf(p);
  DeliveryRun run;
  ExpectedAnswer expected;
  switch (exercise.ask) {
    case ExerciseAsk::Completion:
      expected.answer.number = ContinuousCompletionMs(p.technique, model);
      expected.continuous_ms = expected.answer.number;
      expected.simulated_ms = Simulated(run, p, p.technique);
      break;
    case ExerciseAsk::Fastest:
    case ExerciseAsk::WhichChange: GradeChoices(exercise, ChoiceRuns(exercise), expected); break;
    case ExerciseAsk::Bottleneck:
      expected.answer.number = *std::min_element(model.rates.begin(), model.rates.end());
      expected.continuous_ms = ContinuousCompletionMs(kMethodCircuit, model);
      expected.simulated_ms = Simulated(run, p, kMethodCircuit);
      break;
    case ExerciseAsk::OptimalPacket: GradePacket(exercise, expected); break;
    case ExerciseAsk::Crossover: GradeCrossover(exercise, expected); break;
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: GradeLab(exercise, expected); break;
  }
  return expected;
}

std::string AnswerText(const Exercise& exercise, const Answer& answer) {
  switch (exercise.ask) {
    case ExerciseAsk::Completion: return FormulaText(answer.number) + " ms";
    case ExerciseAsk::Fastest:
    case ExerciseAsk::WhichChange: return answer.choice;
    case ExerciseAsk::Bottleneck: return ShortestText(answer.number);
    case ExerciseAsk::OptimalPacket:
      return BlocksCount(std::llround(answer.number));
    case ExerciseAsk::Crossover: {
      if (!std::isfinite(answer.number)) return "no crossing";
      const std::string unit = exercise.sweep ? SweepUnit(*exercise.sweep) : std::string();
      return Tenths(answer.number) + (unit.empty() ? "" : " " + unit);
    }
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: return LabAnswerText(exercise, answer.number);
  }
  return {};
}

std::string AnswerUnit(const Exercise& exercise) {
  switch (exercise.ask) {
    case ExerciseAsk::Completion: return "ms";
    case ExerciseAsk::Fastest: return "technique";
    case ExerciseAsk::Bottleneck: return "rate";
    case ExerciseAsk::OptimalPacket: return "blocks";
    case ExerciseAsk::WhichChange: return "change";
    case ExerciseAsk::Crossover: {
      const std::string unit = exercise.sweep ? SweepUnit(*exercise.sweep) : std::string();
      return unit.empty() ? "value" : unit;
    }
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: return LabAnswerUnit(exercise.ask);
  }
  return {};
}

std::string AcceptedText(const Exercise& exercise, const ExpectedAnswer& expected) {
  if (!UsesTolerance(exercise.ask)) return Joined(expected.acceptable);
  const double target = expected.answer.number;
  if (!std::isfinite(target)) return "none";
  const double share = exercise.tolerance_percent / 100.0;
  const double low = target - std::abs(target) * share;
  const double high = target + std::abs(target) * share;
  if (exercise.ask == ExerciseAsk::Completion) return FormulaText(low) + " to " + FormulaText(high) + " ms";
  if (exercise.ask == ExerciseAsk::Bottleneck) return ShortestText(low) + " to " + ShortestText(high);
  if (exercise.ask == ExerciseAsk::Congestion) return ChanceText(low) + " to " + ChanceText(high);
  if (exercise.ask == ExerciseAsk::QueueWait) return FormulaText(low) + " to " + FormulaText(high) + " ms";
  const std::string unit = exercise.sweep ? SweepUnit(*exercise.sweep) : std::string();
  return Tenths(low) + " to " + Tenths(high) + (unit.empty() ? "" : " " + unit);
}

bool WithinTolerance(const Exercise& exercise, const ExpectedAnswer& expected, const Answer& answer) {
  if (!UsesTolerance(exercise.ask)) {
    const std::string text = AnswerText(exercise, answer);
    return std::find(expected.acceptable.begin(), expected.acceptable.end(), text) != expected.acceptable.end();
  }
  const double target = expected.answer.number;
  if (!std::isfinite(target)) return false;
  const double share = exercise.tolerance_percent / 100.0;
  return std::abs(answer.number - target) <= std::abs(target) * share * (1 + 1e-12);
}

}  // namespace switchsim
