#pragma once

#include <optional>

#include "exercises/exercise.h"
#include "options/option_table.h"

namespace switchsim {

/// The one exercise a link or command line asks for with "predict": the
/// run its options choose (the seed kDefaultExerciseSeed unless given), its
/// kind, tolerance and question (one for its kind unless given), as a set
/// titled "Exercise from a link". Nothing unless `request.predict`.
std::optional<ExerciseSheet> SheetOfRequest(const RunRequest& request);

}  // namespace switchsim
