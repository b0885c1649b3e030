#pragma once

#include <string>
#include <vector>

#include "exercises/exercise.h"
#include "exercises/exercise_answer.h"
#include "text/labelled_line.h"

namespace switchsim {

/// One line of an outcome: a short label ("Your answer", "Expected",
/// "Simulated", "Verdict", "Formula", "Why", "Explanation") and its text.
using OutcomeLine = LabelledLine;

/// What is shown after an answer, in plain text, one labelled line each:
/// the answer, the expected one with what counts, the simulated value, the
/// verdict, the formula in symbols and with the exercise's numbers filled
/// in, why the simulated value differs (the tick, or why the simulated runs
/// gave another answer, which then counts too), and the exercise's own
/// explanation (or, without one, the rule of its kind).
std::vector<OutcomeLine> OutcomeLines(const Exercise& exercise, const Answer& answer,
                                      const ExpectedAnswer& expected, bool within);


}  // namespace switchsim
