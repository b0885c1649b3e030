#include "look/presentation.h"

#include <algorithm>
#include <cmath>

#include "look/layout.h"

namespace switchsim {

int LineWeightPx(const Presentation& presentation, int plain_px, int projector_px) {
  return presentation.projector ? projector_px : plain_px;
}

MarginText MarginTextFor(const Presentation& presentation, double least_shown_px) {
  const double scale = presentation.scale > 0.0 ? presentation.scale : 1.0;
  if (scale == 1.0 && !presentation.projector) return MarginText{};
  // Larger text drops the labels' unit: "M 6900" at the form's small font,
  // or a little smaller in bold, is as wide as the label strip takes.
  const int largest = presentation.projector ? kBoldMarginFontPx : layout::kSmallFontPx;
  const double wanted = std::max<double>(largest, std::ceil(least_shown_px / scale));
  MarginText text;
  text.font_px = std::min(static_cast<int>(wanted), largest);
  text.line_px = text.font_px + 2;
  text.bold = presentation.projector;
  text.unit = false;
  text.fits = wanted <= largest;
  return text;
}

PanelText PanelTextFor(const Presentation& presentation) {
  const double scale = std::max(presentation.scale, 1.0);
  if (!presentation.projector) return PanelText{scale, false};
  return PanelText{scale * kProjectorPanelTextScale, true};
}

}  // namespace switchsim
