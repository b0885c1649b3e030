#pragma once

#include <array>
#include <vector>

#include "simulation/constants.h"
#include "form/form_surface.h"

namespace switchsim {

/// A stroke as the form drew it on a trace: its ends in twips of the trace's
/// scale, and its colour.
struct TraceLine {
  double x1 = 0.0;
  double y1 = 0.0;
  double x2 = 0.0;
  double y2 = 0.0;
  Rgb colour = kBlack;
};

/// A surface that passes every call on to the surface that shows the form
/// and keeps what a picture of the form needs beyond what the form itself
/// keeps: each trace's strokes since it was last cleared, and the colour
/// each marker was last shown in. Box texts are read from the shown surface,
/// so they are what the user sees even while typing. `shown` is borrowed
/// and must outlive this surface.
class KeepingSurface final : public FormSurface {
 public:
  explicit KeepingSurface(FormSurface& shown) : shown_(shown) {}

  /// The link's strokes since it was last cleared, in the order drawn.
  const std::vector<TraceLine>& Lines(int link) const { return lines_.at(link); }
  /// The colour the marker was last shown in (black before it ever was).
  Rgb MarkerColour(Marker marker) const { return marker_colours_.at(static_cast<int>(marker)); }

  void FillList(BoxId box, std::span<const std::string_view> items) override;
  std::string BoxText(BoxId box) const override;
  void SetBoxText(BoxId box, std::string_view text) override;
  void SetRateColour(int link, Rgb colour) override;
  void SetRateLabelColour(int link, Rgb colour) override;
  void SetCaption(int button, std::string_view caption) override;
  void ClearTrace(int link) override;
  TraceScale ScaleOf(int link) const override;
  void DrawLine(int link, double x1, double y1, double x2, double y2, Rgb colour) override;
  void ShowMarker(Marker marker, double y_twips, Rgb colour) override;
  void HideMarker(Marker marker) override;
  void SetTimerRunning(bool running) override;

 private:
  FormSurface& shown_;
  std::array<std::vector<TraceLine>, kLinkCount> lines_;
  std::array<Rgb, kTechniqueCount> marker_colours_{};
};

}  // namespace switchsim
