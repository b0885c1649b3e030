#pragma once

#include <iosfwd>
#include <string>

namespace switchsim::trace {

/// --check-exercises: reads the sheet at `path` and prints to `out` its
/// answer key: one line per exercise (CheckLine: the expected answer, what
/// counts, what the run shows, warnings), or with `json` one JSON object
/// (AnswerKeyJson). A file that cannot be read or is not a sheet is said on
/// `err`, naming the file, with the line and column of its first problem.
/// Returns the exit status: 0, or 2 for a bad file.
int CheckExercises(const std::string& path, bool json, std::ostream& out, std::ostream& err);

}  // namespace switchsim::trace
