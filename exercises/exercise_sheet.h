#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "exercises/exercise.h"

namespace switchsim {

/// The largest sheet file read, in bytes, and that size as every message writes it.
inline constexpr std::size_t kMostSheetBytes = 1024 * 1024;
inline constexpr std::string_view kMostSheetBytesText = "1 MiB";
/// The longest text a sheet's title, question, hint or explanation may be, in bytes.
inline constexpr std::size_t kMostSheetTextBytes = 4000;
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
/// (an array of objects with "question", "ask" (any case), "size", "rates"
/// and "delays" (as "A,B,C" or an array of three), optional "packet",
/// "header", "seed", "explain" and "hint", and what its kind uses:
/// "technique" (any case), "tolerance", a crossover's "sweep" and
/// "overtakes", a which-change question's "changes"). Values are checked
/// as the options check them; a member that is none of these, or that the
/// kind does not use, is refused, and so is an empty question.
SheetReading ReadExerciseSheet(std::string_view bytes);

}  // namespace switchsim
