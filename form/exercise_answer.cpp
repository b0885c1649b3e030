#include "exercise_answer.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "constants.h"
#include "continuous_time.h"
#include "curve_marks.h"
#include "delivery_run.h"
#include "lists.h"
#include "numbers.h"
#include "results_format.h"

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

// Takes `suffix` off the end of `text` if it ends so; returns whether it did.
bool TakeSuffix(std::string& text, std::string_view suffix) {
  if (text.size() < suffix.size() || text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return false;
  }
  text.resize(text.size() - suffix.size());
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal number, "6375" or "6.375", with a comma read as grouping
// when three digits follow it and `grouping` allows, else as a decimal point.
std::optional<double> PlainNumber(std::string text, bool grouping) {
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
  std::string text = Lowered(WithoutBlanks(typed));
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

std::optional<std::string> TechniqueNamed(std::string_view typed) {
  std::string text = Lowered(WithoutBlanks(typed));
  for (const std::string_view technique : lists::kMethodItems) {
    const std::string name = Lowered(technique);
    if (text == name || text == name.substr(0, 1) || text == name + " switching") {
      return std::string(technique);
    }
  }
  return std::nullopt;
}

std::optional<int> PacketBlocksTyped(std::string_view typed) {
  std::string text = Lowered(WithoutBlanks(typed));
  if (!TakeSuffix(text, "blocks")) TakeSuffix(text, "block");
  if (text.empty() || text.size() > 3 || !std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
  const int blocks = std::stoi(text);
  if (blocks < kFewestPacketBlocks || blocks > kMostPacketBlocks) return std::nullopt;
  return blocks;
}

// The simulated completion of `technique` with the exercise's other parameters.
std::optional<std::int32_t> Simulated(DeliveryRun& run, RunParameters parameters,
                                      std::string_view technique) {
  parameters.technique = std::string(technique);
  return run.CompletionMs(parameters);
}

}  // namespace

AnswerReading ReadAnswer(ExerciseAsk ask, std::string_view typed) {
  AnswerReading reading;
  switch (ask) {
    case ExerciseAsk::Completion:
      if (const auto ms = TimeMs(typed)) return {Answer{*ms, {}}, {}};
      reading.hint = "Type a time in ms, such as 6375, 6375 ms or 6.375 s";
      break;
    case ExerciseAsk::Fastest:
      if (auto technique = TechniqueNamed(typed)) return {Answer{0.0, std::move(*technique)}, {}};
      reading.hint = "Type Message, Circuit or Packet (or M, C or P)";
      break;
    case ExerciseAsk::Bottleneck:
      if (const auto rate = PlainNumber(Lowered(WithoutBlanks(typed)), false); rate && *rate > 0) {
        return {Answer{*rate, {}}, {}};
      }
      reading.hint = "Type a rate as the rate boxes show it, such as 0.5";
      break;
    case ExerciseAsk::OptimalPacket:
      if (const auto blocks = PacketBlocksTyped(typed)) return {Answer{double(*blocks), {}}, {}};
      reading.hint = "Type a whole number of blocks from 1 to 50, such as 5";
      break;
  }
  return reading;
}

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
      for (std::size_t i = 0; i < lists::kMethodItems.size(); ++i) {
        const std::string_view technique = lists::kMethodItems[i];
        const auto ms = Simulated(run, p, technique);
        expected.simulated_each[i] = ms;
        if (!ms) continue;
        if (!expected.simulated_ms || *ms < *expected.simulated_ms) {
          expected.simulated_ms = ms;
          expected.acceptable.clear();
        }
        if (*ms == *expected.simulated_ms) expected.acceptable.emplace_back(technique);
      }
      if (!expected.acceptable.empty()) {
        expected.answer.technique = expected.acceptable.front();
        expected.continuous_ms = ContinuousCompletionMs(expected.answer.technique, model);
      }
      break;
    case ExerciseAsk::Bottleneck:
      expected.answer.number = *std::min_element(model.rates.begin(), model.rates.end());
      expected.continuous_ms = ContinuousCompletionMs(kMethodCircuit, model);
      expected.simulated_ms = Simulated(run, p, kMethodCircuit);
      break;
    case ExerciseAsk::OptimalPacket: {
      const PacketOptimum optimum = OptimalPacket(model, kFewestPacketBlocks, kMostPacketBlocks);
      expected.answer.number = optimum.packet_blocks;
      expected.continuous_ms = optimum.ms;
      expected.least_ms = optimum.ms;
      RunParameters best = p;
      best.packeting.packet_blocks = optimum.packet_blocks;
      expected.simulated_ms = Simulated(run, best, kMethodPacket);
      break;
    }
  }
  return expected;
}

std::string AnswerText(ExerciseAsk ask, const Answer& answer) {
  switch (ask) {
    case ExerciseAsk::Completion: return FormulaText(answer.number) + " ms";
    case ExerciseAsk::Fastest: return answer.technique;
    case ExerciseAsk::Bottleneck: return ShortestText(answer.number);
    case ExerciseAsk::OptimalPacket:
      return ShortestText(answer.number) + (answer.number == 1 ? " block" : " blocks");
  }
  return {};
}

std::string_view AnswerUnit(ExerciseAsk ask) {
  switch (ask) {
    case ExerciseAsk::Completion: return "ms";
    case ExerciseAsk::Fastest: return "technique";
    case ExerciseAsk::Bottleneck: return "rate";
    case ExerciseAsk::OptimalPacket: return "blocks";
  }
  return {};
}

bool WithinTolerance(const Exercise& exercise, const ExpectedAnswer& expected, const Answer& answer) {
  const double share = exercise.tolerance_percent / 100.0;
  switch (exercise.ask) {
    case ExerciseAsk::Completion:
    case ExerciseAsk::Bottleneck: {
      const double target = expected.answer.number;
      return std::abs(answer.number - target) <= std::abs(target) * share * (1 + 1e-12);
    }
    case ExerciseAsk::Fastest:
      return std::find(expected.acceptable.begin(), expected.acceptable.end(), answer.technique) !=
             expected.acceptable.end();
    case ExerciseAsk::OptimalPacket: {
      LinkModel model = ModelOf(exercise.parameters);
      model.packeting.packet_blocks = static_cast<int>(answer.number);
      const double ms = ContinuousCompletionMs(kMethodPacket, model);
      return ms <= expected.least_ms * (1 + share) * (1 + 1e-12);
    }
  }
  return false;
}

std::string CheckLine(int number, const Exercise& exercise) {
  std::string line = std::to_string(number) + " " + std::string(AskName(exercise.ask));
  if (exercise.ask == ExerciseAsk::Completion) line += " " + exercise.parameters.technique;
  const ExpectedAnswer expected = ExpectedAnswerOf(exercise);
  if (exercise.ask == ExerciseAsk::Fastest && expected.acceptable.empty()) {
    return line + " (no technique delivers within 15 s)";
  }
  line += " " + AnswerText(exercise.ask, expected.answer);
  for (std::size_t i = 1; i < expected.acceptable.size(); ++i) line += " or " + expected.acceptable[i];
  return line;
}

}  // namespace switchsim
