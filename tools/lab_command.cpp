#include "tools/lab_command.h"

#include <iostream>
#include <ostream>

#include "explore/curve_layout.h"
#include "explore/lab_curve.h"
#include "pictures/svg_writer.h"
#include "queueing/queue_report.h"
#include "sharing/share_report.h"
#include "tools/whole_file.h"

namespace switchsim::trace {

/// A lab's runs are statistical, as a sweep's: the same every time unless a seed is given.
inline constexpr std::uint64_t kFirstLabSeed = 1;

namespace {

int RunLabSweep(const Options& options, std::uint64_t seed, std::ostream& out) {
  LabSweep sweep(*options.lab_sweep, options.share_setting, options.queue_setting, seed, options.seeds);
  sweep.RunNext(kMostLabSweepSteps);
  if (options.svg) {
    if (const auto error = WriteWhole(*options.svg, SvgText(CurveLayout(LabCurveData(sweep)).drawing()))) {
      std::cerr << "switchsim-trace: --svg: " << *error << "\n";
      return 1;
    }
  }
  out << (options.csv ? LabSweepCsv(sweep) : LabSweepTableText(sweep));
  return 0;
}

}  // namespace

int RunLab(const Options& options, std::ostream& out) {
  const std::uint64_t seed = options.Seed().value_or(kFirstLabSeed);
  if (options.lab_sweep) return RunLabSweep(options, seed, out);
  if (options.share) {
    ShareSetting setting = options.share_setting;
    setting.seed = seed;
    ShareRun run(setting);
    run.RunNext(setting.slot_count);
    out << (options.json ? ShareJson(run) : ShareTable(run));
    return 0;
  }
  QueueSetting setting = options.queue_setting;
  setting.seed = seed;
  QueueRun run(setting);
  run.RunNext(setting.packets);
  out << (options.json ? QueueJson(run) : QueueTable(run));
  return 0;
}

}  // namespace switchsim::trace
