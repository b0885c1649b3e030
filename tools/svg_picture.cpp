#include "svg_picture.h"

#include "form_drawing.h"
#include "keeping_surface.h"
#include "picture_runs.h"
#include "random_source.h"
#include "svg_writer.h"
#include "trace_run.h"
#include "trace_view.h"
#include "whole_file.h"

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
