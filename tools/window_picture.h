#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "options.h"

namespace switchsim::trace {

/// Drives a real window on Qt's offscreen platform through its own handlers,
/// as a user would: sets the boxes, presses Start, ticks until the timer
/// stops (and, between --compare runs, presses Reset), then writes a PNG of
/// the window to `path`. Each run starts the random numbers of `seed` again.
/// Returns an error message when the file cannot be written; nothing is left
/// on disk then.
std::optional<std::string> WriteWindowPicture(const Options& options, std::uint64_t seed,
                                              const std::string& path);

}  // namespace switchsim::trace
