#include "form/marker.h"

#include "look/layout.h"

namespace switchsim {

std::optional<Marker> MarkerFor(std::string_view technique, std::int16_t kind) {
  if (technique == kMethodMessage) return Marker::Message;
  if (technique == kMethodCircuit && kind == kKindCircuitData) return Marker::Circuit;
  if (technique == kMethodPacket) return Marker::Packet;
  return std::nullopt;
}

double MarkerYTwips(std::int32_t clock_ms) {
  return layout::kTraceTop + clock_ms / layout::kMsPerTraceTwip;
}

std::string_view MarkerName(Marker marker) {
  switch (marker) {
    case Marker::Message: return "message";
    case Marker::Circuit: return "circuit";
    case Marker::Packet: return "packet";
  }
  return "";
}

}  // namespace switchsim
