#include "tools/svg_picture.h"

#include "pictures/form_drawing.h"
#include "form/keeping_surface.h"
#include "pictures/picture_runs.h"
#include "simulation/random_source.h"
#include "pictures/svg_writer.h"
#include "tools/trace_run.h"
#include "tools/trace_view.h"
#include "tools/whole_file.h"

namespace switchsim::trace {
namespace {

// The driver's plain surface with the traces framed as the window frames
// them, so that the strokes fall where the window's do.
class FramedTraceView final : public TraceView {
 public:
  TraceScale ScaleOf(int /*link*/) const override { return FramedTraceScale(); }
};

}  // namespace

std::string SvgPicture(const Options& options, std::uint64_t seed) {
  FramedTraceView view;
  KeepingSurface kept(view);
  Mt64Random random(seed);
  FormLogic form(kept, random);
  form.Form_Load();
  RunForPicture(form, random, options, TechniquesOf(options), seed);
  const Additions additions = options.additions ? kAllAdditions : Additions{};
  return SvgText(FormDrawing(form, kept, additions));
}

std::optional<std::string> WriteSvgPicture(const Options& options, std::uint64_t seed,
                                           const std::string& path) {
  return WriteWhole(path, SvgPicture(options, seed));
}

}  // namespace switchsim::trace
