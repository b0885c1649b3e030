#include "look/zoom.h"

#include <algorithm>

#include "look/layout.h"
#include "text/text_escape.h"
#include "text/translation.h"

namespace switchsim {

std::optional<Zoom> ReadZoom(std::string_view text) {
  if (text == "fit") return Zoom{Zoom::Kind::Fit};
  if (text == "auto") return Zoom{Zoom::Kind::Auto};
  if (!text.empty() && text.back() == '%') text.remove_suffix(1);
  for (const int percent : kZoomPercents) {
    if (text == std::to_string(percent)) return Zoom{Zoom::Kind::Percent, percent};
  }
  return std::nullopt;
}

std::string ZoomName(const Zoom& zoom) {
  switch (zoom.kind) {
    case Zoom::Kind::Fit:
      return "fit";
    case Zoom::Kind::Auto:
      return "auto";
    case Zoom::Kind::Percent:
      break;
  }
  return std::to_string(zoom.percent);
}

std::string ZoomRefusal(std::string_view text) {
  return Fill(Tr("{0} is not a zoom; use 100, 125, 150, 200, fit or auto"), {Quoted(std::string(text))});
}

double ShownScale(const Zoom& zoom, double width, double height) {
  if (zoom.kind == Zoom::Kind::Percent) return zoom.percent / 100.0;
  if (!(width > 0.0) || !(height > 0.0)) return 1.0;
  const double fit = std::min(width / layout::Px(layout::kClientWidth), height / layout::Px(layout::kClientHeight));
  return zoom.kind == Zoom::Kind::Fit ? fit : std::min(fit, 1.0);
}

}  // namespace switchsim
