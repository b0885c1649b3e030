// A sheet of exercises, as a file may hold anything: it is read whole or
// refused with one line that places its first problem, and every exercise
// of a sheet taken has an answer to check.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "exercises/answer_key.h"
#include "exercises/exercise_sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const switchsim::SheetReading reading = switchsim::ReadExerciseSheet(bytes);
  if (!reading.sheet) {
    if (reading.error.rfind("line ", 0) != 0 || reading.error.find('\n') != std::string::npos) {
      std::fprintf(stderr, "a refusal without its place, or of more than one line: %s\n",
                   reading.error.c_str());
      std::abort();
    }
    return 0;
  }
  // The answers run the simulation; a few exercises are enough to reach every kind.
  const auto& exercises = reading.sheet->exercises;
  for (std::size_t i = 0; i < exercises.size() && i < 4; ++i) {
    if (switchsim::CheckLine(static_cast<int>(i + 1), exercises[i]).empty()) std::abort();
  }
  return 0;
}
