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
#include "text/translation.h"

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

void AddAcceptable(ExpectedAnswer& expected, const std::string& text, double value) {
  if (std::find(expected.acceptable.begin(), expected.acceptable.end(), text) == expected.acceptable.end()) {
    expected.acceptable.push_back(text);
    expected.acceptable_values.push_back(value);
  }
}

// A question of choices: the formula's and the simulation's first, and each choice's times.
void GradeChoices(const Exercise& exercise, const std::vector<RunParameters>& runs, ExpectedAnswer& expected) {
  const std::vector<std::string> choices = ChoicesOf(exercise, TextFor::Programs);
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
  for (const std::size_t i : by_formula) AddAcceptable(expected, choices[i], double(i));
  expected.formula_ties = by_formula.size();
  const std::vector<std::size_t> by_run = Least(simulated);
  if (by_run.empty()) return;
  expected.simulated_answer = Answer{static_cast<double>(by_run[0]), choices[by_run[0]]};
  expected.simulation_differs = !Contains(by_formula, by_run[0]);
  expected.simulated_ms = expected.each_simulated[by_run[0]];
  for (const std::size_t i : by_run) AddAcceptable(expected, choices[i], double(i));
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
  for (const std::size_t blocks : by_formula) {
    AddAcceptable(expected, AnswerText(exercise, {double(blocks), {}}, TextFor::Programs), double(blocks));
  }
  expected.formula_ties = by_formula.size();
  p.packeting.packet_blocks = static_cast<int>(by_formula[0]);
  expected.simulated_ms = run.CompletionMs(p);
  const std::vector<std::size_t> by_run = Least(simulated);
  if (by_run.empty()) return;
  expected.simulated_answer = Answer{static_cast<double>(by_run[0]), {}};
  expected.simulation_differs = !Contains(by_formula, by_run[0]);
  for (const std::size_t blocks : by_run) {
    AddAcceptable(expected, AnswerText(exercise, {double(blocks), {}}, TextFor::Programs), double(blocks));
  }
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

// A number as its readers write it: with a decimal comma for people whose language writes one.
std::string Number(const std::string& text, TextFor text_for) {
  return text_for == TextFor::People ? PeopleNumber(text) : text;
}

// A swept parameter's unit as a person reads it.
std::string ShownUnit(const std::string& unit) {
  if (unit == "units") return Tr("units");
  if (unit == "blocks") return Tr("blocks");
  if (unit == "blocks per 100 ms") return Tr("blocks per 100 ms");
  return unit;
}

std::string SweptUnit(const Exercise& exercise, TextFor text_for) {
  const std::string unit = exercise.sweep ? SweepUnit(*exercise.sweep) : std::string();
  return text_for == TextFor::People ? ShownUnit(unit) : unit;
}

std::string Joined(const std::vector<std::string>& texts, TextFor text_for) {
  std::string out;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i == 0) out = texts[i];
    else out = text_for == TextFor::People ? Fill(Tr("{0} or {1}"), {out, texts[i]}) : out + " or " + texts[i];
  }
  return out;
}

// "{low} to {high}" with the unit after it where given.
std::string Range(const std::string& low, const std::string& high, const std::string& unit, TextFor text_for) {
  if (text_for == TextFor::Programs) return low + " to " + high + (unit.empty() ? "" : " " + unit);
  return unit.empty() ? Fill(Tr("{0} to {1}"), {low, high}) : Fill(Tr("{0} to {1} {2}"), {low, high, unit});
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

std::string AnswerText(const Exercise& exercise, const Answer& answer, TextFor text_for) {
  const bool people = text_for == TextFor::People;
  switch (exercise.ask) {
    case ExerciseAsk::Completion: return Number(FormulaText(answer.number), text_for) + " ms";
    case ExerciseAsk::Fastest:
    case ExerciseAsk::WhichChange: {
      if (!people) return answer.choice;
      // The choice as shown, found by its English text, else by its place.
      const std::vector<std::string> english = ChoicesOf(exercise, TextFor::Programs);
      const std::vector<std::string> shown = ChoicesOf(exercise, TextFor::People);
      const auto named = std::find(english.begin(), english.end(), answer.choice);
      const auto index = named != english.end() ? static_cast<std::size_t>(named - english.begin())
                                                : static_cast<std::size_t>(std::max(0.0, answer.number));
      return index < shown.size() ? shown[index] : answer.choice;
    }
    case ExerciseAsk::Bottleneck: return Number(ShortestText(answer.number), text_for);
    case ExerciseAsk::OptimalPacket: {
      const long long blocks = std::llround(answer.number);
      return people ? BlocksCount(blocks) : BlocksCountInEnglish(blocks);
    }
    case ExerciseAsk::Crossover: {
      if (!std::isfinite(answer.number)) return people ? Tr("no crossing") : "no crossing";
      const std::string unit = SweptUnit(exercise, text_for);
      return Number(Tenths(answer.number), text_for) + (unit.empty() ? "" : " " + unit);
    }
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: return LabAnswerText(exercise, answer.number, text_for);
  }
  return {};
}

std::string AnswerUnit(const Exercise& exercise) {
  switch (exercise.ask) {
    case ExerciseAsk::Completion: return "ms";
    case ExerciseAsk::Fastest: return Tr("technique");
    case ExerciseAsk::Bottleneck: return Tr("rate");
    case ExerciseAsk::OptimalPacket: return Tr("blocks");
    case ExerciseAsk::WhichChange: return Tr("change");
    case ExerciseAsk::Crossover: {
      const std::string unit = SweptUnit(exercise, TextFor::People);
      return unit.empty() ? Tr("value") : unit;
    }
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: return LabAnswerUnit(exercise.ask);
  }
  return {};
}

std::string AcceptedText(const Exercise& exercise, const ExpectedAnswer& expected, TextFor text_for) {
  if (!UsesTolerance(exercise.ask)) {
    if (text_for == TextFor::Programs) return Joined(expected.acceptable, text_for);
    std::vector<std::string> shown;
    for (const double value : expected.acceptable_values) {
      shown.push_back(exercise.ask == ExerciseAsk::CircuitUsers ? LabAnswerText(exercise, value, text_for)
                                                                : AnswerText(exercise, {value, {}}, text_for));
    }
    return Joined(shown, text_for);
  }
  const double target = expected.answer.number;
  if (!std::isfinite(target)) return text_for == TextFor::People ? Tr("none") : "none";
  const double share = exercise.tolerance_percent / 100.0;
  const double low = target - std::abs(target) * share;
  const double high = target + std::abs(target) * share;
  const auto range = [&](std::string (*text)(double), const std::string& unit) {
    return Range(Number(text(low), text_for), Number(text(high), text_for), unit, text_for);
  };
  if (exercise.ask == ExerciseAsk::Completion) return range(FormulaText, "ms");
  if (exercise.ask == ExerciseAsk::Bottleneck) return range(ShortestText, "");
  if (exercise.ask == ExerciseAsk::Congestion) return range(ChanceText, "");
  if (exercise.ask == ExerciseAsk::QueueWait) return range(FormulaText, "ms");
  return range(Tenths, SweptUnit(exercise, text_for));
}

bool WithinTolerance(const Exercise& exercise, const ExpectedAnswer& expected, const Answer& answer) {
  if (!UsesTolerance(exercise.ask)) {
    // A choice by its English text, as the answer reader keeps it in every language; a size or a count by value.
    if (exercise.ask == ExerciseAsk::Fastest || exercise.ask == ExerciseAsk::WhichChange) {
      return std::find(expected.acceptable.begin(), expected.acceptable.end(), answer.choice) !=
             expected.acceptable.end();
    }
    return std::any_of(expected.acceptable_values.begin(), expected.acceptable_values.end(),
                       [&](double value) { return std::llround(value) == std::llround(answer.number); });
  }
  const double target = expected.answer.number;
  if (!std::isfinite(target)) return false;
  const double share = exercise.tolerance_percent / 100.0;
  return std::abs(answer.number - target) <= std::abs(target) * share * (1 + 1e-12);
}

}  // namespace switchsim
