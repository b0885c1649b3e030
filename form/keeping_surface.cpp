#include "form/keeping_surface.h"

namespace switchsim {

void KeepingSurface::FillList(BoxId box, std::span<const std::string_view> items) {
  shown_.FillList(box, items);
}

std::string KeepingSurface::BoxText(BoxId box) const { return shown_.BoxText(box); }

void KeepingSurface::SetBoxText(BoxId box, std::string_view text) { shown_.SetBoxText(box, text); }

void KeepingSurface::SetRateColour(int link, Rgb colour) { shown_.SetRateColour(link, colour); }

void KeepingSurface::SetRateLabelColour(int link, Rgb colour) {
  shown_.SetRateLabelColour(link, colour);
}

void KeepingSurface::SetCaption(int button, std::string_view caption) {
  shown_.SetCaption(button, caption);
}

void KeepingSurface::ClearTrace(int link) {
  lines_.at(link).clear();
  shown_.ClearTrace(link);
}

TraceScale KeepingSurface::ScaleOf(int link) const { return shown_.ScaleOf(link); }

void KeepingSurface::DrawLine(int link, double x1, double y1, double x2, double y2, Rgb colour) {
  lines_.at(link).push_back({x1, y1, x2, y2, colour});
  shown_.DrawLine(link, x1, y1, x2, y2, colour);
}

void KeepingSurface::ShowMarker(Marker marker, double y_twips, Rgb colour) {
  marker_colours_.at(static_cast<int>(marker)) = colour;
  shown_.ShowMarker(marker, y_twips, colour);
}

void KeepingSurface::HideMarker(Marker marker) { shown_.HideMarker(marker); }

void KeepingSurface::SetTimerRunning(bool running) { shown_.SetTimerRunning(running); }

}  // namespace switchsim
