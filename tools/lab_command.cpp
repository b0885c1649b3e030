#include "tools/lab_command.h"

#include <ostream>

#include "queueing/queue_report.h"
#include "sharing/share_report.h"

namespace switchsim::trace {

/// A lab's runs are statistical, as a sweep's: the same every time unless a seed is given.
inline constexpr std::uint64_t kFirstLabSeed = 1;

int RunLab(const Options& options, std::ostream& out) {
  const std::uint64_t seed = options.Seed().value_or(kFirstLabSeed);
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
