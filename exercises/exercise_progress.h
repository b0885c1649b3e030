#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exercises/exercise.h"

namespace switchsim {

/// One answer a student committed to an exercise.
struct Attempt {
  std::string answer;  // as graded, in words with its unit ("6375 ms")
  bool within = false;  // it was within the exercise's tolerance: right
  std::string time;    // when, as UTC in ISO 8601 ("2026-12-10T09:52:04Z"); "" if not known
  bool hinted = false;  // the teacher's hint was shown before it
};

/// How a student fared with one exercise of a set: every attempt, in order.
struct ExerciseRecord {
  std::vector<Attempt> attempts;

  bool answered() const { return !attempts.empty(); }
  /// Whether the last attempt was right.
  bool within() const { return answered() && attempts.back().within; }
};

/// The records of a set as one short text a front end keeps under the
/// set's key (SheetKey) in its own storage, and reads back with
/// ReadProgress. Nothing in it names the student.
std::string ProgressText(const std::vector<ExerciseRecord>& records);
/// The records kept in `stored` for a set of `count` exercises: none
/// answered where the text is empty, damaged or for another number of
/// exercises. Progress kept by the earlier version, with the last answer
/// only, reads as one attempt at an unknown time.
std::vector<ExerciseRecord> ReadProgress(std::string_view stored, std::size_t count);

/// The records as CSV (RFC 4180) with a heading line, one attempt a line
/// (an exercise not answered has one line with no attempt): set, exercise,
/// kind, question, attempt, time, answer, hint used, expected, within
/// tolerance. The expected answer is given only for an exercise answered,
/// so that an export made before answering gives nothing away. In English
/// in every language, as a program reads it; the set's own texts as given.
std::string ProgressCsv(const ExerciseSheet& sheet, const std::vector<ExerciseRecord>& records);

/// "5 of 12 answered, 4 within tolerance" (by each exercise's last attempt), in the language in use.
std::string ProgressSummary(const std::vector<ExerciseRecord>& records);

/// `seconds` since 1970-01-01 00:00 UTC as ISO 8601: "2026-12-10T09:52:04Z".
std::string UtcText(std::int64_t seconds);

}  // namespace switchsim
