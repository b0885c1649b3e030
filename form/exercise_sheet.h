#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "exercise.h"

namespace switchsim {

/// The largest sheet file read, in bytes.
inline constexpr std::size_t kMostSheetBytes = 1024 * 1024;
/// The most exercises a sheet holds.
inline constexpr std::size_t kMostSheetExercises = 200;

/// A sheet read from a file's bytes, or why not: one line that starts with
/// the line and column of the first problem ("line 4, column 14: ...") and
/// says what was expected there. A sheet is taken whole or not at all.
struct SheetReading {
  std::optional<ExerciseSheet> sheet;
  std::string error;
};

/// Reads a sheet: a JSON object (UTF-8) with "title" (text) and "exercises"
/// (an array of objects with "question", "ask", "technique" for a
/// completion, "size", "rates" as "A,B,C", "delays" as "A,B,C", and
/// optional "packet", "header", "seed", "tolerance" and "explain"). Values
/// are checked as the options check them; any other member is refused.
SheetReading ReadExerciseSheet(std::string_view bytes);

}  // namespace switchsim
