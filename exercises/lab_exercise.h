#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exercises/exercise.h"
#include "exercises/exercise_answer.h"
#include "text/labelled_line.h"

namespace switchsim {

/// The questions about the labs of a shared link and a queue, graded from
/// the same formulas and runs as the labs show: floor(C / r) worked out on
/// the decimals as written, the binomial sum, M/D/1's wait; each beside the
/// lab's run with the exercise's seed.

/// Grades `exercise` (IsLabAsk): its formula, and the lab run of its seed.
void GradeLab(const Exercise& exercise, ExpectedAnswer& expected);
/// "10 users", "0.000424", "200 ms".
std::string LabAnswerText(const Exercise& exercise, double number, TextFor text_for);
/// "users", "probability", "ms", in the language in use.
std::string LabAnswerUnit(ExerciseAsk ask);
/// What the lab's run gave, for the outcome and the answer key:
/// "0.00044 ± 0.00024 (99.9 %) over 100000 slots".
std::string LabSimulatedText(const Exercise& exercise, const ExpectedAnswer& expected, TextFor text_for);
/// The formula filled in, for people: "floor(C / r) = floor(1 / 0.1) = 10".
std::string LabFormulaLine(const Exercise& exercise, const ExpectedAnswer& expected);
/// Why the run's figure differs from the formula's, in the language in use.
std::string LabWhyLine(const Exercise& exercise, const ExpectedAnswer& expected);
/// The rule the kind rests on, when the exercise explains nothing itself, in the language in use.
std::string LabKindRule(ExerciseAsk ask);

}  // namespace switchsim
