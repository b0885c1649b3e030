#pragma once

#include <span>
#include <string_view>

#include "exercises/exercise.h"

namespace switchsim {

/// The name a link or command line gives for the course on sharing a link
/// ("?exercises=sharing", "--exercises sharing").
inline constexpr std::string_view kSharingCourseName = "sharing";

/// The course on sharing a link: reserved circuits, the congestion of
/// statistical multiplexing and the queueing delay, each exercise with an
/// explanation written for a student.
const ExerciseSheet& SharingCourse();
/// The same course as a sheet file (JSON).
std::string_view SharingCourseText();
/// Its texts a person reads, as the catalog has them (see CourseTextsNamed).
std::span<const std::string_view> SharingCourseTexts();

}  // namespace switchsim
