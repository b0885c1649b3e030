#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tools/options.h"

namespace switchsim::trace {

/// The vector picture of --svg: the form after the same run(s) as the
/// picture of --png (see WriteWindowPicture), each from `seed`, with the
/// additions if asked, as SVG text. Needs no toolkit.
std::string SvgPicture(const Options& options, std::uint64_t seed);

/// Writes SvgPicture to `path` whole or not at all. Returns an error
/// message when the file cannot be written.
std::optional<std::string> WriteSvgPicture(const Options& options, std::uint64_t seed,
                                           const std::string& path);

}  // namespace switchsim::trace
