#pragma once

#include <array>

#include "pictures/drawing.h"
#include "form/marker.h"

namespace switchsim {

/// Adds the time scale left of the first trace to `drawing` (px of the form
/// at 100 %): a tick and a label ("3 s") for every second, level with the
/// row a stroke at that time fills.
void DrawTimeScale(Drawing& drawing);

/// Adds a label beside each visible marker of `markers`, with a leader from
/// the marker's height to the label's, laid out as LayOutMarkerLabels does.
void DrawMarkerLabels(Drawing& drawing, const std::array<MarkerState, kTechniqueCount>& markers);

}  // namespace switchsim
