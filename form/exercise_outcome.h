#pragma once

#include <string>
#include <vector>

#include "exercise.h"
#include "exercise_answer.h"

namespace switchsim {

/// What is shown after an answer, one line each, in plain text: the answer,
/// the continuous-time and simulated values, the verdict ("Within 5 % of
/// 6050 ms: no"), the formula in symbols and with the exercise's numbers
/// filled in, why the simulated value differs (the tick), and the
/// exercise's own explanation. The second and third lines are what a
/// screen reader hears with the verdict.
std::vector<std::string> OutcomeLines(const Exercise& exercise, const Answer& answer,
                                      const ExpectedAnswer& expected, bool within);

}  // namespace switchsim
