#pragma once

#include <optional>
#include <string>

namespace switchsim::trace {

/// Writes `bytes` to `path` whole or not at all: into a new file beside it,
/// which replaces `path` only once everything is written. Returns what went
/// wrong, such as "cannot write \"/x/y.svg\": No such file or directory",
/// or nothing.
std::optional<std::string> WriteWhole(const std::string& path, const std::string& bytes);

}  // namespace switchsim::trace
