#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exercise.h"

namespace switchsim {

/// How a student fared with one exercise of a set.
struct ExerciseRecord {
  bool answered = false;
  bool within = false;  // the answer was within the exercise's tolerance
  std::string answer;   // the answer as graded, in words with its unit ("6375 ms")
};

/// The records of a set as one short text a front end keeps under the
/// set's key (SheetKey) in its own storage, and reads back with
/// ReadProgress. Nothing in it names the student.
std::string ProgressText(const std::vector<ExerciseRecord>& records);
/// The records kept in `stored` for a set of `count` exercises: none
/// answered where the text is empty, damaged or for another number of exercises.
std::vector<ExerciseRecord> ReadProgress(std::string_view stored, std::size_t count);

/// The records as CSV (RFC 4180) with a heading line, one exercise a line:
/// set, number, kind, question, answered, answer, expected, within tolerance.
std::string ProgressCsv(const ExerciseSheet& sheet, const std::vector<ExerciseRecord>& records);

/// "5 of 12 answered, 4 within tolerance".
std::string ProgressSummary(const std::vector<ExerciseRecord>& records);

}  // namespace switchsim
