#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "exercises/exercise.h"

namespace switchsim {

/// The name a link gives for the built-in course instead of a sheet
/// ("?exercises=builtin"); no file of that name is loaded.
inline constexpr std::string_view kBuiltInCourseName = "builtin";

/// The course the program comes with: from store and forward over one link
/// to when the circuit beats the packets, each exercise with an explanation
/// written for a student.
const ExerciseSheet& BuiltInCourse();
/// The same course as a sheet file (JSON), a start for a teacher's own.
std::string_view BuiltInCourseText();

/// The courses the program comes with, by the name a link or a command
/// line gives instead of a sheet's file: "builtin" (this course) and
/// "sharing" (SharingCourse); nothing for any other name.
const ExerciseSheet* BuiltInCourseNamed(std::string_view name);
/// The texts of the course of that name that a person reads (its title,
/// questions, hints and explanations), as the catalog has them; none for any other name.
std::span<const std::string_view> CourseTextsNamed(std::string_view name);

/// `sheet` as a person reads it: a course's own texts (texts_in_catalog) and
/// every default question in the language in use; a teacher's texts as written.
ExerciseSheet ShownSheet(const ExerciseSheet& sheet);

/// The sheet file of the course of that name; nothing for any other name.
std::optional<std::string_view> BuiltInCourseTextNamed(std::string_view name);

}  // namespace switchsim
