#include "tools/window_picture.h"

#include "window/form_picture.h"
#include "tools/trace_run.h"

namespace switchsim::trace {

std::optional<std::string> WriteWindowPicture(const Options& options, std::uint64_t seed,
                                              const std::string& path) {
  return WriteFormPicture(options, TechniquesOf(options), seed, options.additions, path);
}

}  // namespace switchsim::trace
