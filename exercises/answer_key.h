#pragma once

#include <string>
#include <vector>

#include "exercises/exercise.h"
#include "exercises/exercise_answer.h"

namespace switchsim {

/// What a teacher checks of one exercise before class: the answer the flow
/// grades against, what counts, what the class's run will show, and
/// warnings where the run cannot show the answer, where the formulas and
/// the simulation disagree, or where several answers tie.
struct AnswerKeyEntry {
  int number = 0;  // from 1
  ExpectedAnswer expected;
  std::string expected_text;   // "6050 ms"
  std::string accepted_text;   // "5747.5 to 6352.5 ms", "Packet or Circuit"
  std::string simulated_text;  // "6075 ms", "Packet 4300 ms", "crossing at 130 units"
  std::vector<std::string> warnings;
};
/// Its texts for people in the language in use, or for programs in English.
AnswerKeyEntry AnswerKeyOf(int number, const Exercise& exercise, TextFor text_for);

/// The line `--check-exercises` prints for a person, in the language in use:
/// "3 completion Circuit 6050 ms; accepted 5747.5 to 6352.5 ms; simulated
/// 6075 ms", then "; warning: ..." for each warning.
std::string CheckLine(int number, const Exercise& exercise);

/// The sheet's answer key as one JSON object: its "title" and, per
/// exercise, "number", "ask", "technique" (or null), "expected", "value"
/// (the expected number, or null for a choice), "accepted", "simulated" and
/// "warnings", in English with decimal points in every language.
std::string AnswerKeyJson(const ExerciseSheet& sheet);

}  // namespace switchsim
