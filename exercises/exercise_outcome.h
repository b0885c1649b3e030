#pragma once

#include <string>
#include <vector>

#include "exercises/exercise.h"
#include "exercises/exercise_answer.h"

namespace switchsim {

/// One line of an outcome: a short label ("Your answer", "Expected",
/// "Simulated", "Verdict", "Formula", "Why", "Explanation") and its text.
struct OutcomeLine {
  std::string label;
  std::string text;
};

/// What is shown after an answer, in plain text, one labelled line each:
/// the answer, the expected one with what counts, the simulated value, the
/// verdict, the formula in symbols and with the exercise's numbers filled
/// in, why the simulated value differs (the tick, or why the simulated runs
/// gave another answer, which then counts too), and the exercise's own
/// explanation (or, without one, the rule of its kind).
std::vector<OutcomeLine> OutcomeLines(const Exercise& exercise, const Answer& answer,
                                      const ExpectedAnswer& expected, bool within);

/// The lines as text, "label: text" each, ending with a line break.
std::string OutcomeLinesText(const std::vector<OutcomeLine>& lines);

}  // namespace switchsim
