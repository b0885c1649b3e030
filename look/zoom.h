#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace switchsim {

/// How large the form is shown. The form's own geometry never changes:
/// only the scale it is drawn at.
///  - Auto: as large as it is, or smaller to fit a smaller space;
///  - Percent: a fixed share of its size;
///  - Fit: as large as the space it is given, larger or smaller.
struct Zoom {
  enum class Kind { Auto, Percent, Fit };
  Kind kind = Kind::Auto;
  int percent = 100;  // for Percent only

  friend bool operator==(const Zoom&, const Zoom&) = default;
};

/// The fixed shares offered in the menus, in per cent.
inline constexpr std::array<int, 4> kZoomPercents = {100, 125, 150, 200};
inline constexpr Zoom kActualSize = {Zoom::Kind::Percent, 100};

/// Reads "100", "125", "150", "200" (a "%" may follow), "fit" or "auto".
std::optional<Zoom> ReadZoom(std::string_view text);
/// What ReadZoom reads back: "125", "fit", "auto".
std::string ZoomName(const Zoom& zoom);
/// The option's refusal: what `text` is not, and what is allowed.
std::string ZoomRefusal(std::string_view text);

/// The scale the form is drawn at in a space of `width` × `height` (the
/// same unit as the form's pixels); 1 shows it as it is. A space of no size
/// leaves Auto and Fit at 1.
double ShownScale(const Zoom& zoom, double width, double height);

}  // namespace switchsim
