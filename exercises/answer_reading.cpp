#include "exercises/answer_reading.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "exercises/exercise_answer.h"
#include "form/lists.h"
#include "simulation/numbers.h"
#include "simulation/techniques.h"
#include "text/translation.h"

namespace switchsim {
namespace {

std::string Lowered(std::string_view text) {
  std::string lowered;
  for (const char c : text) lowered += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lowered;
}

// The text with the blanks that may group digits taken out: spaces, tabs,
// and the no-break and thin spaces in UTF-8.
std::string WithoutBlanks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' || text[i] == '\t') continue;
    if (text.substr(i, 2) == "\xc2\xa0") { ++i; continue; }
    if (text.substr(i, 3) == "\xe2\x80\xaf" || text.substr(i, 3) == "\xe2\x80\x89") { i += 2; continue; }
    out += text[i];
  }
  return out;
}

// The text lowered, its blanks taken out: how answers of choices are compared.
std::string Folded(std::string_view text) { return Lowered(WithoutBlanks(text)); }

// Takes `suffix` off the end of `text` if it ends so; returns whether it did.
bool TakeSuffix(std::string& text, std::string_view suffix) {
  if (text.size() < suffix.size() || text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return false;
  }
  text.resize(text.size() - suffix.size());
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the language in use writes a decimal comma, so that a comma typed is never grouping.
bool DecimalComma() { return PeopleNumber("0.5") != "0.5"; }

// A plain decimal number, "6375" or "6.375", with a comma read as grouping
// when three digits follow it and `grouping` allows, else as a decimal point.
std::optional<double> PlainNumber(std::string text, bool grouping) {
  grouping = grouping && !DecimalComma();
  std::string digits;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != ',') {
      digits += c;
      continue;
    }
    const bool three = i + 3 < text.size() && IsDigit(text[i + 1]) && IsDigit(text[i + 2]) &&
                       IsDigit(text[i + 3]) && (i + 4 == text.size() || !IsDigit(text[i + 4]));
    digits += grouping && three ? "" : ".";
  }
  if (digits.empty() || std::count(digits.begin(), digits.end(), '.') > 1) return std::nullopt;
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return IsDigit(c) || c == '.'; })) {
    return std::nullopt;
  }
  if (digits == ".") return std::nullopt;
  const double value = LeadingNumber(digits);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> TimeMs(std::string_view typed) {
  std::string text = Folded(typed);
  double scale = 1.0;
  if (TakeSuffix(text, "milliseconds") || TakeSuffix(text, "millisecond") || TakeSuffix(text, "ms")) {
  } else if (TakeSuffix(text, "seconds") || TakeSuffix(text, "second") || TakeSuffix(text, "secs") ||
             TakeSuffix(text, "sec") || TakeSuffix(text, "s")) {
    scale = 1000.0;
  }
  // "6,375 s" is six and a bit seconds; "6,375 ms" and "6,375" are thousands.
  const auto number = PlainNumber(text, scale == 1.0);
  if (!number) return std::nullopt;
  return *number * scale;
}

std::optional<int> PacketBlocksTyped(std::string_view typed) {
  std::string text = Folded(typed);
  if (!TakeSuffix(text, "blocks") && !TakeSuffix(text, "block")) TakeSuffix(text, Folded(Tr("blocks")));
  if (text.empty() || text.size() > 3 || !std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
  const int blocks = std::stoi(text);
  if (blocks < kFewestPacketBlocks || blocks > kMostPacketBlocks) return std::nullopt;
  return blocks;
}

// A number of users: a whole number, "users" after it if typed.
std::optional<double> UsersTyped(std::string_view typed) {
  std::string text = Folded(typed);
  if (!TakeSuffix(text, "users") && !TakeSuffix(text, "user")) TakeSuffix(text, Folded(Tr("users")));
  const auto users = PlainNumber(text, true);
  if (!users || *users != std::floor(*users)) return std::nullopt;
  return users;
}

// A probability from 0 to 1: "0.0004", "4e-4", "4.2E-4" or "0.04 %".
std::optional<double> ProbabilityTyped(std::string_view typed) {
  std::string text = Folded(typed);
  const bool percent = TakeSuffix(text, "%");
  std::optional<double> value;
  if (const std::size_t e = text.find('e'); e != std::string::npos) {
    std::string power = text.substr(e + 1);
    const bool negative = !power.empty() && power.front() == '-';
    if (!power.empty() && (power.front() == '-' || power.front() == '+')) power.erase(0, 1);
    const auto exponent = PlainNumber(power, false);
    const auto mantissa = PlainNumber(text.substr(0, e), false);
    if (!exponent || !mantissa || *exponent != std::floor(*exponent) || *exponent > 30) return std::nullopt;
    value = *mantissa * std::pow(10.0, negative ? -*exponent : *exponent);
  } else {
    value = PlainNumber(text, false);
  }
  if (value && percent) *value /= 100.0;
  if (!value || *value > 1.0) return std::nullopt;
  return value;
}

// A crossover's value: a number, with the swept parameter's unit if typed.
std::optional<double> SweptValue(const Exercise& exercise, std::string_view typed) {
  std::string text = Folded(typed);
  // The unit may be typed in English or in the language in use.
  const std::string unit = exercise.sweep ? SweepUnit(*exercise.sweep) : std::string();
  if (!unit.empty() && !TakeSuffix(text, Folded(unit))) TakeSuffix(text, Folded(Tr(unit)));
  if (!TakeSuffix(text, "blocks")) TakeSuffix(text, "block");
  const auto value = PlainNumber(text, true);
  if (!value || !(*value > 0)) return std::nullopt;
  return value;
}

// Which of the choices was meant: its text, its initial for techniques, its
// letter ("b") or number ("2") for changes, or a change as the sheet wrote it.
// The first letter of `name` when it is a plain letter, lowered; else nothing.
std::optional<char> Initial(std::string_view name) {
  if (name.empty() || !std::isalpha(static_cast<unsigned char>(name.front()))) return std::nullopt;
  return static_cast<char>(std::tolower(static_cast<unsigned char>(name.front())));
}

// Which technique an initial means: its English initial, or the initial of its
// name as shown where no other technique's name begins so.
std::optional<std::size_t> TechniqueInitial(const std::vector<std::string>& shown, std::string_view text) {
  if (text.size() != 1) return std::nullopt;
  for (std::size_t i = 0; i < kTechniques.size(); ++i) {
    if (text[0] == std::tolower(static_cast<unsigned char>(kTechniques.at(i).initial))) return i;
  }
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (Initial(shown[i]) != text[0]) continue;
    if (found) return std::nullopt;
    found = i;
  }
  return found;
}

// Which of the choices was meant: its text in English or as shown, its initial
// for techniques, its letter ("b") or number ("2") for changes, or a change as
// the sheet wrote it.
std::optional<std::size_t> ChoiceTyped(const Exercise& exercise, std::string_view typed) {
  const std::vector<std::string> choices = ChoicesOf(exercise, TextFor::Programs);
  const std::vector<std::string> shown = ChoicesOf(exercise, TextFor::People);
  const std::string text = Folded(typed);
  if (exercise.ask == ExerciseAsk::Fastest) {
    if (const auto initial = TechniqueInitial(shown, text)) return initial;
  }
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const std::string choice = Folded(choices[i]);
    if (text == choice || text == Folded(shown[i])) return i;
    if (exercise.ask == ExerciseAsk::Fastest) {
      if (text == choice + "switching") return i;
      continue;
    }
    const std::string letter(1, static_cast<char>('a' + i));
    if (text == letter || text == std::to_string(i + 1) || text == Folded(exercise.changes[i].text)) return i;
  }
  return std::nullopt;
}

std::string ChoiceHint(const Exercise& exercise) {
  if (exercise.ask == ExerciseAsk::Fastest) return Tr("Type Message, Circuit or Packet (or M, C or P)");
  std::string letters;
  for (std::size_t i = 0; i < exercise.changes.size(); ++i) {
    letters += std::string(i == 0 ? "" : ", ") + static_cast<char>('A' + i);
  }
  return Fill(Tr("Choose one of the changes, or type its letter: {0}"), {letters});
}

}  // namespace

std::vector<std::string> ChoicesOf(const Exercise& exercise, TextFor text_for) {
  switch (exercise.ask) {
    case ExerciseAsk::Fastest: {
      std::vector<std::string> choices;
      for (const std::string_view technique : lists::kMethodItems) {
        choices.push_back(text_for == TextFor::People ? Tr(technique) : std::string(technique));
      }
      return choices;
    }
    case ExerciseAsk::WhichChange: {
      std::vector<std::string> choices;
      for (const ParameterChange& change : exercise.changes) {
        choices.push_back(ChangeText(exercise.parameters, change, text_for));
      }
      return choices;
    }
    default: return {};
  }
}

AnswerReading ReadAnswer(const Exercise& exercise, std::string_view typed) {
  switch (exercise.ask) {
    case ExerciseAsk::Completion:
      if (const auto ms = TimeMs(typed)) return {Answer{*ms, {}}, {}};
      return {std::nullopt, Tr("Type a time in ms, such as 6375, 6375 ms or 6.375 s")};
    case ExerciseAsk::Fastest:
    case ExerciseAsk::WhichChange:
      if (const auto index = ChoiceTyped(exercise, typed)) {
        return {Answer{static_cast<double>(*index), ChoicesOf(exercise, TextFor::Programs).at(*index)}, {}};
      }
      return {std::nullopt, ChoiceHint(exercise)};
    case ExerciseAsk::Bottleneck:
      if (const auto rate = PlainNumber(Folded(typed), false); rate && *rate > 0) return {Answer{*rate, {}}, {}};
      return {std::nullopt, Tr("Type a rate as the rate boxes show it, such as 0.5")};
    case ExerciseAsk::OptimalPacket:
      if (const auto blocks = PacketBlocksTyped(typed)) return {Answer{double(*blocks), {}}, {}};
      return {std::nullopt, Tr("Type a whole number of blocks from 1 to 50, such as 5")};
    case ExerciseAsk::Crossover:
      if (const auto value = SweptValue(exercise, typed)) return {Answer{*value, {}}, {}};
      return {std::nullopt, exercise.sweep ? Fill(Tr("Type the value of the {0} as a number, such as 120"),
                                                  {SweepAxisName(*exercise.sweep)})
                                           : Tr("Type the value of the parameter as a number, such as 120")};
    case ExerciseAsk::CircuitUsers:
      if (const auto users = UsersTyped(typed)) return {Answer{*users, {}}, {}};
      return {std::nullopt, Tr("Type a whole number of users, such as 10")};
    case ExerciseAsk::Congestion:
      if (const auto p = ProbabilityTyped(typed)) return {Answer{*p, {}}, {}};
      return {std::nullopt, Tr("Type a probability from 0 to 1, such as 0.0004, 4e-4 or 0.04 %")};
    case ExerciseAsk::QueueWait:
      if (const auto ms = TimeMs(typed)) return {Answer{*ms, {}}, {}};
      return {std::nullopt, Tr("Type a wait in ms, such as 200, 200 ms or 0.2 s")};
  }
  return {};
}

}  // namespace switchsim
