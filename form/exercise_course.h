#pragma once

#include "exercise.h"

namespace switchsim {

/// The course the program comes with: from store and forward over one link
/// to when the circuit beats the packets, each exercise with an explanation
/// written for a student.
const ExerciseSheet& BuiltInCourse();

}  // namespace switchsim
