#pragma once

#include <iosfwd>

#include "tools/options.h"

namespace switchsim::trace {

/// --share or --queue: runs the lab that `options` ask for with their seed
/// (1 unless given), and prints its figures to `out` as one JSON object
/// with --json, else as a short table. With --sweep, the lab's figure
/// against its users or intensity: a table, or CSV with --csv, and the
/// curve as SVG with --svg FILE. Returns the exit status: 0, or 1 when the
/// picture cannot be written.
int RunLab(const Options& options, std::ostream& out);

}  // namespace switchsim::trace
