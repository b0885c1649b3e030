#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "simulation/constants.h"
#include "simulation/techniques.h"

namespace switchsim {

/// The completion markers right of the last trace, one per technique, in
/// the techniques' order (kTechniques).
enum class Marker { Message, Circuit, Packet };

/// A completion that placed a technique's marker.
struct Completion {
  int record = 0;
  Marker marker = Marker::Message;
  std::int32_t clock_ms = 0;  // ms
  double y_twips = 0.0;       // twips from the top of the form's client area
  Rgb colour = kBlack;
};

/// A marker as the form last left it: hidden, or shown at a completion.
struct MarkerState {
  bool visible = false;
  std::int32_t clock_ms = 0;  // ms: the completion it marks
  double y_twips = 0.0;       // twips from the top of the form's client area
};

/// The marker that a unit of `kind` arriving at Receive places under
/// `technique`, if any.
std::optional<Marker> MarkerFor(std::string_view technique, std::int16_t kind);

/// Height of a completion marker at `clock_ms`, in twips from the top of the
/// form's client area: the top of the last trace plus half the clock.
double MarkerYTwips(std::int32_t clock_ms);

/// The marker's name in the run log: "message", "circuit" or "packet".
std::string_view MarkerName(Marker marker);

}  // namespace switchsim
