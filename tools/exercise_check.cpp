#include "tools/exercise_check.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "exercises/answer_key.h"
#include "exercises/exercise_course.h"
#include "exercises/exercise_sheet.h"
#include "form/run_choice.h"
#include "text/translation.h"

namespace switchsim::trace {

namespace {

int CheckSheet(const ExerciseSheet& sheet, bool json, std::ostream& out) {
  if (json) {
    out << AnswerKeyJson(sheet);
    return 0;
  }
  for (std::size_t i = 0; i < sheet.exercises.size(); ++i) {
    out << CheckLine(static_cast<int>(i + 1), sheet.exercises[i]) << "\n";
  }
  return 0;
}

}  // namespace

int CheckExercises(const std::string& path, bool json, std::ostream& out, std::ostream& err) {
  if (const ExerciseSheet* course = BuiltInCourseNamed(path)) return CheckSheet(*course, json, out);
  const std::string named = "switchsim-trace: --check-exercises: " + Quoted(path) + ": ";
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << named << std::strerror(errno) << "\n";
    return 2;
  }
  // One byte past the most a sheet may be is enough to refuse a larger file.
  std::string bytes(kMostSheetBytes + 1, '\0');
  errno = 0;
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) {
    err << named << (errno != 0 ? std::string(std::strerror(errno)) : Tr("cannot be read")) << "\n";
    return 2;
  }
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  const SheetReading reading = ReadExerciseSheet(bytes);
  if (!reading.sheet) {
    err << named << reading.error << "\n";
    return 2;
  }
  return CheckSheet(*reading.sheet, json, out);
}

}  // namespace switchsim::trace
