#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "form/run_choice.h"

namespace switchsim {

/// Draws the real form on Qt's offscreen platform, driven through its own
/// handlers as a user would: chooses the boxes of `choice`, then runs each
/// of `techniques` in turn from the random numbers of `seed`, ticking until
/// the timer stops (and pressing Reset between runs); then writes a PNG of
/// the form, with the margins' additions if `additions`, to `path`. Makes
/// its own application object, so none may exist. Returns an error message
/// when the file cannot be written; nothing is left on disk then.
std::optional<std::string> WriteFormPicture(const RunParameters& choice,
                                            const std::vector<std::string>& techniques,
                                            std::uint64_t seed, bool additions,
                                            const std::string& path);

}  // namespace switchsim
