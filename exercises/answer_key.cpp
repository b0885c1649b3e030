#include "exercises/answer_key.h"

#include <cmath>

#include "simulation/constants.h"
#include "text/json_writer.h"
#include "exercises/lab_exercise.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// The key's words: a program's in English, a person's in the language in use.
class KeyWords {
 public:
  explicit KeyWords(TextFor text_for) : text_for_(text_for) {}
  TextFor For() const { return text_for_; }
  std::string operator()(std::string_view english) const {
    return text_for_ == TextFor::People ? Tr(english) : std::string(english);
  }
  std::string Ms(const std::optional<std::int32_t>& ms) const {
    return ms ? std::to_string(*ms) + " ms" : (*this)(Mark("not all delivered within 15 s"));
  }
  std::string Answer(const Exercise& exercise, const switchsim::Answer& answer) const {
    return AnswerText(exercise, answer, text_for_);
  }

 private:
  TextFor text_for_;
};

std::string SimulatedText(const Exercise& exercise, const ExpectedAnswer& e, const KeyWords& say) {
  const std::string none = say(Mark("no run delivers within 15 s"));
  switch (exercise.ask) {
    case ExerciseAsk::Fastest:
    case ExerciseAsk::WhichChange:
      return e.simulated_answer ? Fill(say(Mark("{0} first ({1})")),
                                       {say.Answer(exercise, *e.simulated_answer), say.Ms(e.simulated_ms)})
                                : none;
    case ExerciseAsk::OptimalPacket:
      return e.simulated_answer ? Fill(say(Mark("{0} soonest; at {1} {2}")),
                                       {say.Answer(exercise, *e.simulated_answer), say.Answer(exercise, e.answer),
                                        say.Ms(e.simulated_ms)})
                                : none;
    case ExerciseAsk::Crossover:
      return e.simulated_answer ? Fill(say(Mark("crossing at {0}")), {say.Answer(exercise, *e.simulated_answer)})
                                : say(Mark("the simulated runs do not cross"));
    case ExerciseAsk::Bottleneck: return Fill(say(Mark("the circuit delivers at {0}")), {say.Ms(e.simulated_ms)});
    case ExerciseAsk::CircuitUsers:
    case ExerciseAsk::Congestion:
    case ExerciseAsk::QueueWait: return LabSimulatedText(exercise, e, say.For());
    default: return say.Ms(e.simulated_ms);
  }
}

void AddWarnings(const Exercise& exercise, AnswerKeyEntry& entry, const KeyWords& say) {
  const ExpectedAnswer& e = entry.expected;
  auto& warnings = entry.warnings;
  if (IsLabAsk(exercise.ask)) {
    if (e.simulated_answer && !WithinTolerance(exercise, e, *e.simulated_answer)) {
      warnings.push_back(Fill(say(Mark("the lab's run gives {0}, outside what counts: run more slots or packets, "
                                       "or widen the tolerance")),
                              {say.Answer(exercise, *e.simulated_answer)}));
    }
    return;
  }
  const bool late = !e.simulated_ms || e.continuous_ms > kStopAfterMs;
  if (late && exercise.ask != ExerciseAsk::Crossover) {
    warnings.push_back(
        say(Mark("the run ends at 15 s, before the data arrives, so the class cannot see the answer in it")));
  }
  if (UsesTolerance(exercise.ask)) {
    const std::optional<Answer> simulated = exercise.ask == ExerciseAsk::Crossover
                                                ? e.simulated_answer
                                                : (exercise.ask == ExerciseAsk::Completion && e.simulated_ms
                                                       ? std::optional<Answer>(Answer{double(*e.simulated_ms), {}})
                                                       : std::nullopt);
    if (simulated && !WithinTolerance(exercise, e, *simulated)) {
      warnings.push_back(Fill(say(Mark("the simulated {0} lies outside what counts: formula and simulation "
                                       "disagree by more than the tolerance")),
                              {say.Answer(exercise, *simulated)}));
    }
    if (exercise.ask == ExerciseAsk::Crossover && !e.simulated_answer) {
      warnings.push_back(
          say(Mark("the simulated runs do not cross in the range, so Explore's points will not show it")));
    }
    return;
  }
  if (e.formula_ties > 1) warnings.push_back(say(Mark("several answers tie in the formulas: all of them count")));
  if (e.simulation_differs && e.simulated_answer) {
    warnings.push_back(Fill(say(Mark("formula and simulation disagree: the formulas give {0}, the simulation {1}; "
                                     "both count")),
                            {say.Answer(exercise, e.answer), say.Answer(exercise, *e.simulated_answer)}));
  }
}

}  // namespace

AnswerKeyEntry AnswerKeyOf(int number, const Exercise& exercise, TextFor text_for) {
  const KeyWords say(text_for);
  AnswerKeyEntry entry;
  entry.number = number;
  entry.expected = ExpectedAnswerOf(exercise);
  entry.expected_text = AnswerText(exercise, entry.expected.answer, text_for);
  entry.accepted_text = AcceptedText(exercise, entry.expected, text_for);
  entry.simulated_text = SimulatedText(exercise, entry.expected, say);
  AddWarnings(exercise, entry, say);
  return entry;
}

std::string CheckLine(int number, const Exercise& exercise) {
  const AnswerKeyEntry entry = AnswerKeyOf(number, exercise, TextFor::People);
  std::string line = std::to_string(number) + " " + std::string(AskName(exercise.ask));
  if (exercise.ask == ExerciseAsk::Completion) line += " " + Tr(exercise.parameters.technique);
  line += " " + Fill(Tr("{0}; accepted {1}; simulated {2}"),
                     {entry.expected_text, entry.accepted_text, entry.simulated_text});
  for (const std::string& warning : entry.warnings) line += Fill(Tr("; warning: {0}"), {warning});
  return line;
}

std::string AnswerKeyJson(const ExerciseSheet& sheet) {
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("title").Text(sheet.title).Key("exercises").Open('[');
  for (std::size_t i = 0; i < sheet.exercises.size(); ++i) {
    const Exercise& exercise = sheet.exercises[i];
    const AnswerKeyEntry entry = AnswerKeyOf(static_cast<int>(i + 1), exercise, TextFor::Programs);
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
