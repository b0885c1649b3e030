#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "explore/curve_layout.h"
#include "tools/driver_language.h"
#include "tools/exercise_check.h"
#include "tools/lab_command.h"
#include "exercises/exercise_course.h"
#include "po/compiled_catalogs.h"
#include "tools/options.h"
#include "simulation/random_source.h"
#include "tools/svg_picture.h"
#include "pictures/svg_writer.h"
#include "tools/sweep_command.h"
#include "tools/trace_run.h"
#include "text/version.h"
#include "tools/whole_file.h"
#include "tools/window_picture.h"

namespace {

// --sweep: the runs, the table or CSV, and the curve's picture with --svg.
int RunSweep(const switchsim::trace::Options& options) {
  using namespace switchsim;
  Sweep sweep = trace::SweepOf(options);
  sweep.RunNext(sweep.RunCount());
  if (options.svg) {
    if (const auto error = trace::WriteWhole(*options.svg, SvgText(CurveLayout(sweep).drawing()))) {
      std::cerr << "switchsim-trace: --svg: " << *error << "\n";
      return 1;
    }
  }
  std::cout << trace::SweepOutput(options, sweep);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace switchsim::trace;
  const std::vector<std::string> args(argv + 1, argv + argc);
  // The language first, so that every message after it is in that language.
  switchsim::UseCompiledLanguage(DriverLanguage(args, [](const char* name) { return std::getenv(name); }));
  const auto parsed = ParseOptions(args);
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    std::cerr << "switchsim-trace: " << error->message << "\n";
    return 2;
  }
  const Options& options = std::get<Options>(parsed);
  if (options.help) {
    std::cout << HelpText();
    return 0;
  }
  if (options.version) {
    std::cout << "switchsim-trace " << switchsim::kVersion << "\n";
    return 0;
  }

  if (options.course) {
    std::cout << switchsim::BuiltInCourseText();
    return 0;
  }
  if (options.check_exercises) return CheckExercises(*options.check_exercises, options.json, std::cout, std::cerr);
  if (options.sweep) return RunSweep(options);
  if (options.share || options.queue) return RunLab(options, std::cout);

  // Only a run without --seed draws on the system's entropy.
  const std::uint64_t seed = options.Seed().value_or(switchsim::Mt64Random::SystemSeed());
  std::string out;
  const auto outcomes = RunTraces(options, seed, out);
  if (options.compare && !options.json) {
    out += ParameterLine(options, seed) + "\n" + CompareTable(outcomes);
  }
  if (options.png) {
    if (const auto error = WriteWindowPicture(options, seed, *options.png)) {
      std::cerr << "switchsim-trace: --png: " << *error << "\n";
      return 1;
    }
  }
  if (options.svg) {
    if (const auto error = WriteSvgPicture(options, seed, *options.svg)) {
      std::cerr << "switchsim-trace: --svg: " << *error << "\n";
      return 1;
    }
  }
  std::cout << out;
  return 0;
}
