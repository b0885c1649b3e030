#pragma once

#include <string_view>

#include "exercises/exercise.h"

namespace switchsim {

/// The course the program comes with: from store and forward over one link
/// to when the circuit beats the packets, each exercise with an explanation
/// written for a student.
const ExerciseSheet& BuiltInCourse();
/// The same course as a sheet file (JSON), a start for a teacher's own.
std::string_view BuiltInCourseText();

}  // namespace switchsim
