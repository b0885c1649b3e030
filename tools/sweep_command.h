#pragma once

#include <string>

#include "tools/options.h"
#include "explore/sweep.h"

namespace switchsim::trace {

/// The sweep the options ask for: every other parameter as the options set
/// the boxes, seeds from --seed (default 1), --seeds of them. Not yet run.
Sweep SweepOf(const Options& options);

/// What a finished sweep prints: the readable table, or CSV with --csv.
std::string SweepOutput(const Options& options, const Sweep& sweep);

}  // namespace switchsim::trace
