#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exercise.h"

namespace switchsim {

/// An exercise's answer as a value: a number for a completion (ms), a
/// bottleneck (rate) or a packet size (blocks), a technique's name for
/// the fastest.
struct Answer {
  double number = 0.0;
  std::string technique;
};

/// Reads what a student typed for `ask`, leniently: for a completion
/// "6375", "6375 ms", "6.375 s", "6 375" and "6,375" are all 6375 ms (a
/// comma before three digits groups them, before others it is a decimal
/// point); a packet size may say "blocks"; a technique may be any case or
/// its initial. A text that is no answer gives a hint that says what is
/// expected, and uses no attempt.
struct AnswerReading {
  std::optional<Answer> answer;
  std::string hint;  // when there is no answer
};
AnswerReading ReadAnswer(ExerciseAsk ask, std::string_view typed);

/// What an exercise grades against, worked out from its parameters: the
/// expected answer, the continuous-time value, and the simulated value of
/// the same seed.
struct ExpectedAnswer {
  Answer answer;
  double continuous_ms = 0.0;  // the formula of the technique run (the fastest's for `fastest`)
  std::optional<std::int32_t> simulated_ms;  // empty if its data had not all arrived by the end
  std::vector<std::string> acceptable;       // the techniques that count (ties), for `fastest`
  /// For `fastest`: each technique's simulated completion, in the technique box's order.
  std::array<std::optional<std::int32_t>, 3> simulated_each{};
  double least_ms = 0.0;  // for optimal-packet: the least packet formula
};
ExpectedAnswer ExpectedAnswerOf(const Exercise& exercise);

/// The expected answer in words with its unit: "6050 ms", "Packet", "0.5", "5 blocks".
std::string AnswerText(ExerciseAsk ask, const Answer& answer);
/// The unit answers are given in, for a prompt: "ms", "technique", "rate", "blocks".
std::string_view AnswerUnit(ExerciseAsk ask);

/// Whether `answer` is within the exercise's tolerance of `expected`.
bool WithinTolerance(const Exercise& exercise, const ExpectedAnswer& expected, const Answer& answer);

/// The line a teacher checks before class: "3 completion Circuit 6050 ms"
/// (the exercise's number from 1, its kind, its technique for a completion,
/// and the expected answer).
std::string CheckLine(int number, const Exercise& exercise);

}  // namespace switchsim
