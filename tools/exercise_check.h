#pragma once

#include <iosfwd>
#include <string>

namespace switchsim::trace {

/// --check-exercises: reads the sheet at `path` and prints to `out` one line
/// per exercise, ending with its expected answer ("3 completion Circuit
/// 6050 ms"). A file that cannot be read or is not a sheet is said on `err`,
/// naming the file, with the line and column of its first problem. Returns
/// the exit status: 0, or 2 for a bad file.
int CheckExercises(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace switchsim::trace
