#pragma once

#include <iosfwd>

#include "tools/options.h"

namespace switchsim::trace {

/// --share or --queue: runs the lab that `options` ask for with their seed
/// (1 unless given), and prints its figures to `out` as one JSON object
/// with --json, else as a short table. Returns the exit status, 0.
int RunLab(const Options& options, std::ostream& out);

}  // namespace switchsim::trace
