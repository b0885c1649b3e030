#include "exercises/exercise_outcome.h"

#include <cmath>

#include "formulas/continuous_time.h"
#include "form/lists.h"
#include "simulation/numbers.h"
#include "formulas/reading_guide.h"
#include "records/results_format.h"
#include "exercises/lab_exercise.h"

namespace switchsim {
namespace {

using Lines = std::vector<OutcomeLine>;

std::string SimulatedText(const std::optional<std::int32_t>& ms) {
  return ms ? std::to_string(*ms) + " ms" : std::string("not all delivered within 15 s");
}

// Why the tick's value differs from the formula's, with the difference.
std::string TickWhy(double formula_ms, const std::optional<std::int32_t>& simulated_ms) {
  std::string line =
      "The simulation moves in ticks of 25 ms: a unit is granted a link, handed on and seen to "
      "arrive only at a tick, so each of these steps may come up to 25 ms later than in "
      "continuous time, and the delays add up";
  if (simulated_ms) line += "; here to " + FormulaText(*simulated_ms - formula_ms) + " ms";
  return line + ".";
}

// The guide's symbols as plain text: "R<sub>k</sub>" as "R_k", "max<sub>k≤j</sub>" as "max_{k≤j}".
std::string PlainSymbols(std::string symbols) {
  std::string plain;
  std::size_t at = 0;
  while (true) {
    const std::size_t open = symbols.find("<sub>", at);
    const std::size_t close = open == std::string::npos ? open : symbols.find("</sub>", open);
    if (close == std::string::npos) return plain + symbols.substr(at);
    const std::string sub = symbols.substr(open + 5, close - open - 5);
    plain += symbols.substr(at, open - at) + (sub.size() == 1 ? "_" + sub : "_{" + sub + "}");
    at = close + 6;
  }
}

std::string FormulaLine(std::string_view technique, const LinkModel& model) {
  const Formula f = FormulaOf(technique, model);
  return f.technique + ": " + PlainSymbols(f.symbols) + " = " + f.filled_in + " = " + FormulaText(f.ms) + " ms";
}

std::string Percent(double percent) { return ShortestText(percent) + " %"; }

// The rule a kind rests on, said when the exercise gives no explanation of its own.
std::string KindRule(const Exercise& exercise) {
  switch (exercise.ask) {
    case ExerciseAsk::Completion:
    case ExerciseAsk::Fastest:
    case ExerciseAsk::WhichChange:
    case ExerciseAsk::Crossover:
      return "Store and forward pays each link's sending time and crossing: N·(L/R + d) over N equal links. "
             "Packets pipeline: (P + N − 1)·s/R + N·d. A circuit pays its set-up once, then streams at the "
             "slowest rate: set-up + L/R_min + Σd.";
    case ExerciseAsk::Bottleneck:
      return "The circuit streams its data through all three links at once, so it can go no faster than the "
             "slowest of them; the form shows that rate in red in the other links' boxes while the circuit runs.";
    case ExerciseAsk::OptimalPacket:
      return "Smaller packets pipeline better but each carries its own header; with equal links the best "
             "payload is near √(M·h / (N − 1)), M the message and h the header, checked among whole blocks.";
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: return LabKindRule(exercise.ask);
  }
  return {};
}

std::string ChoiceTimes(const std::vector<std::string>& choices, const ExpectedAnswer& e, bool simulated) {
  std::string text;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    text += (i == 0 ? "" : "; ") + choices[i] + " " +
            (simulated ? SimulatedText(e.each_simulated[i]) : FormulaText(e.each_ms[i]) + " ms");
  }
  return text;
}

void ChoiceLines(const Exercise& exercise, const Answer& answer, const ExpectedAnswer& e, bool within,
                 Lines& lines) {
  const std::vector<std::string> choices = ChoicesOf(exercise);
  lines.push_back({"Expected", e.answer.choice + " (continuous time: " + ChoiceTimes(choices, e, false) + ")"});
  lines.push_back({"Simulated", ChoiceTimes(choices, e, true)});
  lines.push_back({"Verdict", within ? "Right: " + answer.choice + " counts"
                                     : "Not quite: " + AcceptedText(exercise, e) + ", not " + answer.choice});
  const RunParameters first = exercise.ask == ExerciseAsk::Fastest
                                  ? exercise.parameters
                                  : ChangedParameters(exercise.parameters,
                                                      exercise.changes.at(static_cast<std::size_t>(e.answer.number)));
  const std::string technique = exercise.ask == ExerciseAsk::Fastest ? e.answer.choice : first.technique;
  lines.push_back({"Formula", FormulaLine(technique, ModelOf(first))});
  if (e.simulation_differs && e.simulated_answer) {
    lines.push_back({"Why", "In continuous time " + e.answer.choice + " comes first; in the simulation " +
                                e.simulated_answer->choice + " came first, because each step waits for a "
                                "tick of 25 ms and close completions can swap. Either answer counts."});
  } else {
    lines.push_back({"Why", TickWhy(e.continuous_ms, e.simulated_ms)});
  }
}

void NumberLines(const Exercise& exercise, const Answer& answer, const ExpectedAnswer& e, bool within,
                 Lines& lines) {
  const std::string expected = AnswerText(exercise, e.answer);
  const std::string accepted = AcceptedText(exercise, e);
  lines.push_back({"Expected", expected + (UsesTolerance(exercise.ask) ? " (accepted: " + accepted + ")" : "")});
  switch (exercise.ask) {
    case ExerciseAsk::Completion:
    case ExerciseAsk::Bottleneck:
      lines.push_back({"Simulated", exercise.ask == ExerciseAsk::Completion
                                        ? SimulatedText(e.simulated_ms)
                                        : "the circuit delivered at " + SimulatedText(e.simulated_ms)});
      break;
    case ExerciseAsk::OptimalPacket: {
      LinkModel yours = ModelOf(exercise.parameters);
      yours.packeting.packet_blocks = static_cast<int>(answer.number);
      lines.push_back({"Simulated", "at " + expected + ": " + SimulatedText(e.simulated_ms) +
                                        "; your size's formula: " +
                                        FormulaText(ContinuousCompletionMs(kMethodPacket, yours)) + " ms"});
      break;
    }
    case ExerciseAsk::Crossover:
      lines.push_back({"Simulated", e.simulated_answer ? "the simulated runs cross at " +
                                                             AnswerText(exercise, *e.simulated_answer)
                                                       : "the simulated runs do not cross in the range"});
      break;
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: lines.push_back({"Simulated", LabSimulatedText(exercise, e)}); break;
    default: break;
  }
  if (UsesTolerance(exercise.ask)) {
    lines.push_back({"Verdict", std::string(within ? "Right: within " : "Not quite: outside ") +
                                    Percent(exercise.tolerance_percent) + " of " + expected});
  } else {
    lines.push_back({"Verdict", within ? std::string("Right") : "Not quite: " + accepted + " is best"});
  }
  const RunParameters& p = exercise.parameters;
  switch (exercise.ask) {
    case ExerciseAsk::Completion: lines.push_back({"Formula", FormulaLine(p.technique, ModelOf(p))}); break;
    case ExerciseAsk::Bottleneck: lines.push_back({"Formula", FormulaLine(kMethodCircuit, ModelOf(p))}); break;
    case ExerciseAsk::OptimalPacket: {
      LinkModel best = ModelOf(p);
      best.packeting.packet_blocks = static_cast<int>(e.answer.number);
      lines.push_back({"Formula", FormulaLine(kMethodPacket, best)});
      break;
    }
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: lines.push_back({"Formula", LabFormulaLine(exercise, e)}); break;
    default: break;
  }
  if (exercise.ask == ExerciseAsk::OptimalPacket && e.simulation_differs && e.simulated_answer) {
    lines.push_back({"Why", "In the simulation " + AnswerText(exercise, *e.simulated_answer) +
                                " delivered soonest: the ticks of 25 ms round each step, so close sizes can "
                                "swap. Either answer counts."});
  } else if (exercise.ask == ExerciseAsk::Crossover) {
    lines.push_back({"Why", "The crossing lies between the two swept values around it, where the formula curves "
                            "are taken as straight, as Explore marks it; the simulated runs move in ticks of 25 ms."});
  } else if (exercise.ask == ExerciseAsk::Completion) {
    lines.push_back({"Why", TickWhy(e.continuous_ms, e.simulated_ms)});
  } else if (IsLabAsk(exercise.ask)) {
    lines.push_back({"Why", LabWhyLine(exercise, e)});
  }
}

}  // namespace

std::vector<OutcomeLine> OutcomeLines(const Exercise& exercise, const Answer& answer,
                                      const ExpectedAnswer& expected, bool within) {
  Lines lines = {{"Your answer", AnswerText(exercise, answer)}};
  if (exercise.ask == ExerciseAsk::Fastest || exercise.ask == ExerciseAsk::WhichChange) {
    ChoiceLines(exercise, answer, expected, within, lines);
  } else {
    NumberLines(exercise, answer, expected, within, lines);
  }
  lines.push_back({exercise.explain.empty() ? "Rule" : "Explanation",
                   exercise.explain.empty() ? KindRule(exercise) : exercise.explain});
  return lines;
}

}  // namespace switchsim
