#pragma once

#include <string>

#include "queueing/queue_run.h"

namespace switchsim {

/// A queue's run as one JSON object, on one line: "intensity", "buffer"
/// (null: no limit), "packets", "seed", "service_ms", "mean_wait_formula_ms"
/// (M/D/1, for an unlimited buffer), "mean_wait_simulated_ms",
/// "mean_wait_interval_ms" (half its 99.9 % width), "lost", "lost_share",
/// "longest_queue".
std::string QueueJson(const QueueRun& run);

/// The same as a short table a person reads.
std::string QueueTable(const QueueRun& run);

}  // namespace switchsim
