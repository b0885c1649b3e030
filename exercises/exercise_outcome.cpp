#include "exercises/exercise_outcome.h"

#include <cmath>

#include "formulas/continuous_time.h"
#include "form/lists.h"
#include "simulation/numbers.h"
#include "formulas/reading_guide.h"
#include "records/results_format.h"
#include "exercises/lab_exercise.h"
#include "text/translation.h"

namespace switchsim {
namespace {

using Lines = std::vector<OutcomeLine>;

constexpr TextFor kPeople = TextFor::People;

std::string Ms(double ms) { return PeopleNumber(FormulaText(ms)) + " ms"; }

std::string SimulatedText(const std::optional<std::int32_t>& ms) {
  return ms ? std::to_string(*ms) + " ms" : Tr("not all delivered within 15 s");
}

// Why the tick's value differs from the formula's, with the difference.
std::string TickWhy(double formula_ms, const std::optional<std::int32_t>& simulated_ms) {
  if (!simulated_ms) {
    return Tr("The simulation moves in ticks of 25 ms: a unit is granted a link, handed on and seen to arrive only "
              "at a tick, so each of these steps may come up to 25 ms later than in continuous time, and the "
              "delays add up.");
  }
  return Fill(Tr("The simulation moves in ticks of 25 ms: a unit is granted a link, handed on and seen to arrive "
                 "only at a tick, so each of these steps may come up to 25 ms later than in continuous time, and "
                 "the delays add up; here to {0}."),
              {Ms(*simulated_ms - formula_ms)});
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
  return Tr(f.technique) + ": " + PlainSymbols(f.symbols) + " = " + f.filled_in + " = " + Ms(f.ms);
}

std::string Percent(double percent) { return PeopleNumber(ShortestText(percent)) + " %"; }

// The rule a kind rests on, said when the exercise gives no explanation of its own.
std::string KindRule(const Exercise& exercise) {
  switch (exercise.ask) {
    case ExerciseAsk::Completion:
    case ExerciseAsk::Fastest:
    case ExerciseAsk::WhichChange:
    case ExerciseAsk::Crossover:
      return Tr("Store and forward pays each link's sending time and crossing: N·(L/R + d) over N equal links. "
                "Packets pipeline: (P + N − 1)·s/R + N·d. A circuit pays its set-up once, then streams at the "
                "slowest rate: set-up + L/R_min + Σd.");
    case ExerciseAsk::Bottleneck:
      return Tr("The circuit streams its data through all three links at once, so it can go no faster than the "
                "slowest of them; the form shows that rate in red in the other links' boxes while the circuit "
                "runs.");
    case ExerciseAsk::OptimalPacket:
      return Tr("Smaller packets pipeline better but each carries its own header; with equal links the best "
                "payload is near √(M·h / (N − 1)), M the message and h the header, checked among whole blocks.");
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
            (simulated ? SimulatedText(e.each_simulated[i]) : Ms(e.each_ms[i]));
  }
  return text;
}

void ChoiceLines(const Exercise& exercise, const Answer& answer, const ExpectedAnswer& e, bool within,
                 Lines& lines) {
  const std::vector<std::string> choices = ChoicesOf(exercise, kPeople);
  const std::string expected = AnswerText(exercise, e.answer, kPeople);
  lines.push_back({Tr("Expected"), Fill(Tr("{0} (continuous time: {1})"), {expected, ChoiceTimes(choices, e, false)})});
  lines.push_back({Tr("Simulated"), ChoiceTimes(choices, e, true)});
  const std::string yours = AnswerText(exercise, answer, kPeople);
  lines.push_back({Tr("Verdict"), within ? Fill(Tr("Right: {0} counts"), {yours})
                                         : Fill(Tr("Not quite: {0}, not {1}"),
                                                {AcceptedText(exercise, e, kPeople), yours})});
  const RunParameters first = exercise.ask == ExerciseAsk::Fastest
                                  ? exercise.parameters
                                  : ChangedParameters(exercise.parameters,
                                                      exercise.changes.at(static_cast<std::size_t>(e.answer.number)));
  const std::string technique = exercise.ask == ExerciseAsk::Fastest ? e.answer.choice : first.technique;
  lines.push_back({Tr("Formula"), FormulaLine(technique, ModelOf(first))});
  if (e.simulation_differs && e.simulated_answer) {
    lines.push_back({Tr("Why"), Fill(Tr("In continuous time {0} comes first; in the simulation {1} came first, "
                                        "because each step waits for a tick of 25 ms and close completions can "
                                        "swap. Either answer counts."),
                                     {expected, AnswerText(exercise, *e.simulated_answer, kPeople)})});
  } else {
    lines.push_back({Tr("Why"), TickWhy(e.continuous_ms, e.simulated_ms)});
  }
}

void FormulaLines(const Exercise& exercise, const ExpectedAnswer& e, Lines& lines) {
  const RunParameters& p = exercise.parameters;
  switch (exercise.ask) {
    case ExerciseAsk::Completion: lines.push_back({Tr("Formula"), FormulaLine(p.technique, ModelOf(p))}); break;
    case ExerciseAsk::Bottleneck: lines.push_back({Tr("Formula"), FormulaLine(kMethodCircuit, ModelOf(p))}); break;
    case ExerciseAsk::OptimalPacket: {
      LinkModel best = ModelOf(p);
      best.packeting.packet_blocks = static_cast<int>(e.answer.number);
      lines.push_back({Tr("Formula"), FormulaLine(kMethodPacket, best)});
      break;
    }
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: lines.push_back({Tr("Formula"), LabFormulaLine(exercise, e)}); break;
    default: break;
  }
}

void NumberLines(const Exercise& exercise, const Answer& answer, const ExpectedAnswer& e, bool within,
                 Lines& lines) {
  const std::string expected = AnswerText(exercise, e.answer, kPeople);
  const std::string accepted = AcceptedText(exercise, e, kPeople);
  lines.push_back({Tr("Expected"), UsesTolerance(exercise.ask) ? Fill(Tr("{0} (accepted: {1})"), {expected, accepted})
                                                               : expected});
  switch (exercise.ask) {
    case ExerciseAsk::Completion:
    case ExerciseAsk::Bottleneck:
      lines.push_back({Tr("Simulated"), exercise.ask == ExerciseAsk::Completion
                                            ? SimulatedText(e.simulated_ms)
                                            : Fill(Tr("the circuit delivered at {0}"),
                                                   {SimulatedText(e.simulated_ms)})});
      break;
    case ExerciseAsk::OptimalPacket: {
      LinkModel yours = ModelOf(exercise.parameters);
      yours.packeting.packet_blocks = static_cast<int>(answer.number);
      lines.push_back({Tr("Simulated"), Fill(Tr("at {0}: {1}; your size's formula: {2}"),
                                             {expected, SimulatedText(e.simulated_ms),
                                              Ms(ContinuousCompletionMs(kMethodPacket, yours))})});
      break;
    }
    case ExerciseAsk::Crossover:
      lines.push_back({Tr("Simulated"), e.simulated_answer
                                            ? Fill(Tr("the simulated runs cross at {0}"),
                                                   {AnswerText(exercise, *e.simulated_answer, kPeople)})
                                            : Tr("the simulated runs do not cross in the range")});
      break;
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: lines.push_back({Tr("Simulated"), LabSimulatedText(exercise, e, kPeople)}); break;
    default: break;
  }
  if (UsesTolerance(exercise.ask)) {
    const std::string percent = Percent(exercise.tolerance_percent);
    lines.push_back({Tr("Verdict"), within ? Fill(Tr("Right: within {0} of {1}"), {percent, expected})
                                           : Fill(Tr("Not quite: outside {0} of {1}"), {percent, expected})});
  } else {
    lines.push_back({Tr("Verdict"), within ? Tr("Right") : Fill(Tr("Not quite: {0} is best"), {accepted})});
  }
  FormulaLines(exercise, e, lines);
  if (exercise.ask == ExerciseAsk::OptimalPacket && e.simulation_differs && e.simulated_answer) {
    lines.push_back({Tr("Why"), Fill(Tr("In the simulation {0} delivered soonest: the ticks of 25 ms round each "
                                        "step, so close sizes can swap. Either answer counts."),
                                     {AnswerText(exercise, *e.simulated_answer, kPeople)})});
  } else if (exercise.ask == ExerciseAsk::Crossover) {
    lines.push_back({Tr("Why"), Tr("The crossing lies between the two swept values around it, where the formula "
                                   "curves are taken as straight, as Explore marks it; the simulated runs move in "
                                   "ticks of 25 ms.")});
  } else if (exercise.ask == ExerciseAsk::Completion) {
    lines.push_back({Tr("Why"), TickWhy(e.continuous_ms, e.simulated_ms)});
  } else if (IsLabAsk(exercise.ask)) {
    lines.push_back({Tr("Why"), LabWhyLine(exercise, e)});
  }
}

}  // namespace

std::vector<OutcomeLine> OutcomeLines(const Exercise& exercise, const Answer& answer,
                                      const ExpectedAnswer& expected, bool within) {
  Lines lines = {{Tr("Your answer"), AnswerText(exercise, answer, kPeople)}};
  if (exercise.ask == ExerciseAsk::Fastest || exercise.ask == ExerciseAsk::WhichChange) {
    ChoiceLines(exercise, answer, expected, within, lines);
  } else {
    NumberLines(exercise, answer, expected, within, lines);
  }
  lines.push_back({exercise.explain.empty() ? Tr("Rule") : Tr("Explanation"),
                   exercise.explain.empty() ? KindRule(exercise) : exercise.explain});
  return lines;
}

}  // namespace switchsim
