#include "exercise_outcome.h"

#include "continuous_time.h"
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
  return f.technique + ": " + PlainSymbols(f.symbols) + " = " + f.filled_in + " = " +
         FormulaText(f.ms) + " ms";
}

using Lines = std::vector<std::string>;

void CompletionLines(const Exercise& exercise, const ExpectedAnswer& e, bool within, Lines& lines) {
  const std::string expected = AnswerText(exercise.ask, e.answer);
  lines.push_back("Continuous time: " + expected + "; simulated: " + SimulatedText(e.simulated_ms));
  lines.push_back("Within " + Percent(exercise.tolerance_percent) + " of " + expected + ": " +
                  (within ? "yes" : "no"));
  lines.push_back("Formula, " + FormulaLine(exercise.parameters.technique, ModelOf(exercise.parameters)));
  lines.push_back(TickLine(e.continuous_ms, e.simulated_ms));
}

void FastestLines(const Exercise& exercise, const Answer& answer, const ExpectedAnswer& e,
                  bool within, Lines& lines) {
  const LinkModel model = ModelOf(exercise.parameters);
  std::string simulated = "Simulated:";
  std::string continuous = "; continuous time:";
  for (std::size_t i = 0; i < lists::kMethodItems.size(); ++i) {
    const std::string technique(lists::kMethodItems[i]);
    simulated += " " + technique + " " + SimulatedText(e.simulated_each[i]) + ",";
    continuous += " " + technique + " " + FormulaText(ContinuousCompletionMs(technique, model)) + " ms,";
  }
  simulated.pop_back();
  continuous.pop_back();
  lines.push_back(simulated + continuous);
  if (e.acceptable.empty()) {
    lines.push_back("No technique delivers within 15 s");
    return;
  }
  const std::string& first = e.answer.technique;
  lines.push_back(within ? first + " delivers first, as you said"
                         : first + " delivers first, not " + answer.technique);
  lines.push_back("Formula, " + FormulaLine(first, model));
  lines.push_back(TickLine(e.continuous_ms, e.simulated_ms));
}

void BottleneckLines(const Exercise& exercise, const ExpectedAnswer& e, bool within, Lines& lines) {
  const RunParameters& p = exercise.parameters;
  const std::string expected = AnswerText(exercise.ask, e.answer);
  lines.push_back("The slowest link's rate: " + expected + " (rates " + p.rates[0] + ", " + p.rates[1] +
                  ", " + p.rates[2] + ")");
  lines.push_back("Within " + Percent(exercise.tolerance_percent) + " of " + expected + ": " +
                  (within ? "yes" : "no"));
  lines.push_back("Formula, " + FormulaLine(kMethodCircuit, ModelOf(p)));
  if (exercise.explain.empty()) {
    lines.push_back("The circuit streams its data through all three links at once, so it can go "
                    "no faster than the slowest of them; the form shows that rate in red in the "
                    "other links' boxes while the circuit runs.");
  }
}

void PacketLines(const Exercise& exercise, const Answer& answer, const ExpectedAnswer& e,
                 bool within, Lines& lines) {
  const LinkModel model = ModelOf(exercise.parameters);
  const std::string expected = AnswerText(exercise.ask, e.answer);
  LinkModel yours = model;
  yours.packeting.packet_blocks = static_cast<int>(answer.number);
  LinkModel best = model;
  best.packeting.packet_blocks = static_cast<int>(e.answer.number);
  lines.push_back("The least packet formula: " + expected + ", " + FormulaText(e.least_ms) +
                  " ms; with your size: " + FormulaText(ContinuousCompletionMs(kMethodPacket, yours)) +
                  " ms");
  lines.push_back("Within " + Percent(exercise.tolerance_percent) + " of the least: " +
                  (within ? "yes" : "no"));
  lines.push_back("Formula at " + expected + ", " + FormulaLine(kMethodPacket, best));
  if (exercise.explain.empty()) {
    lines.push_back("Smaller packets let the links work at the same time, but each carries its "
                    "own header and each hop waits for a whole packet; the best size balances "
                    "the two.");
  }
}

}  // namespace

std::vector<std::string> OutcomeLines(const Exercise& exercise, const Answer& answer,
                                      const ExpectedAnswer& expected, bool within) {
  Lines lines = {"Your answer: " + AnswerText(exercise.ask, answer)};
  switch (exercise.ask) {
    case ExerciseAsk::Completion: CompletionLines(exercise, expected, within, lines); break;
    case ExerciseAsk::Fastest: FastestLines(exercise, answer, expected, within, lines); break;
    case ExerciseAsk::Bottleneck: BottleneckLines(exercise, expected, within, lines); break;
    case ExerciseAsk::OptimalPacket: PacketLines(exercise, answer, expected, within, lines); break;
  }
  if (!exercise.explain.empty()) lines.push_back(exercise.explain);
  return lines;
}

}  // namespace switchsim
