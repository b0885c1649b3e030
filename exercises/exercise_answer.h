#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exercises/answer_reading.h"
#include "exercises/exercise.h"

namespace switchsim {

/// What an exercise grades against, worked out from its parameters with the
/// formulas of continuous time, and what the simulated runs of the same seed
/// give. Where the two give different answers to a question of choices (a
/// technique, a change, a packet size), either counts: the ticks of 25 ms
/// may order close completions otherwise than the formulas, and a student
/// who computes rightly must not be marked wrong.
struct ExpectedAnswer {
  Answer answer;               // by the formulas
  double continuous_ms = 0.0;  // the formula of the run asked about (the answer's, for a choice)
  std::optional<std::int32_t> simulated_ms;  // its simulated completion; empty if not all delivered by the end
  /// What the simulated runs answer: the choice (or packet size) that
  /// delivers first there, or the crossover of the simulated runs; empty
  /// where no simulated run delivers (or the simulated curves do not cross).
  std::optional<Answer> simulated_answer;
  /// Questions of choices and packet sizes: every answer that counts, as
  /// AnswerText writes them (several where they tie or where the
  /// simulation differs).
  std::vector<std::string> acceptable;
  /// The same answers as values, which grading compares: a choice's place
  /// in ChoicesOf, a packet size in blocks, a number of users.
  std::vector<double> acceptable_values;
  /// Questions of choices: each choice's formula and simulated completion, in the order of ChoicesOf.
  std::vector<double> each_ms;
  std::vector<std::optional<std::int32_t>> each_simulated;
  double least_ms = 0.0;  // optimal-packet: the least packet formula
  /// How many answers the formulas give as equally good (a tie when more than one).
  std::size_t formula_ties = 1;
  /// The simulated runs' answer is not among the formulas' (choices and packet sizes).
  bool simulation_differs = false;
  /// A lab's question: the figure of its run with the exercise's seed, the
  /// half-width of its 99.9 % interval, and how many slots or packets it ran.
  double lab_simulated = 0.0;
  double lab_interval = 0.0;
  std::int64_t lab_steps = 0;
};
ExpectedAnswer ExpectedAnswerOf(const Exercise& exercise);

/// An answer in words with its unit: "6050 ms", "Packet", "0.5", "5 blocks",
/// "137.5 units", "rate of link 2 from 0.5 to 1".
std::string AnswerText(const Exercise& exercise, const Answer& answer, TextFor text_for);
/// The unit answers are given in, for a prompt, in the language in use: "ms", "technique", "rate", "blocks", ...
std::string AnswerUnit(const Exercise& exercise);

/// The answers that count, in words: "5747.5 to 6352.5 ms", "Packet or Circuit", "5 blocks".
std::string AcceptedText(const Exercise& exercise, const ExpectedAnswer& expected, TextFor text_for);

/// Whether `answer` counts as right: within the tolerance of the formula's
/// value for a number; a choice's English text among `acceptable`; a
/// packet size or a number of users among `acceptable_values`.
bool WithinTolerance(const Exercise& exercise, const ExpectedAnswer& expected, const Answer& answer);

}  // namespace switchsim
