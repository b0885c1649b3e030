#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tools/options.h"

namespace switchsim::trace {

/// Writes the picture of --png: the window's form after the run of the
/// options (or the three runs of --compare), each from `seed`, with the
/// additions if asked; see WriteFormPicture. Returns an error message when
/// the file cannot be written; nothing is left on disk then.
std::optional<std::string> WriteWindowPicture(const Options& options, std::uint64_t seed,
                                              const std::string& path);

}  // namespace switchsim::trace
