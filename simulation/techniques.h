#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "simulation/constants.h"

namespace switchsim {

/// One transfer technique, with what the form, the pictures, the curves and
/// every front end know of it, in one place.
struct Technique {
  std::string_view name;  // as the technique box writes it, which the engine compares
  char initial;           // a marker label's and an answer's short form
  /// Its colour in curves, legends and the logo, and its marker's before a
  /// run (a packet's marker takes the colour of the packet that completes).
  Rgb colour;
  /// The kind of the units that carry the technique's data (TransferUnit::Kind).
  std::int16_t data_kind;
  /// Whether any unit arriving at Receive places the technique's marker, as
  /// the form has always done for a message and packets, or only a unit of
  /// `data_kind` (the circuit's data, not its release).
  bool any_arrival_marks;
  std::string_view marker_name;  // its marker as the run log names it
};

/// The techniques, in the technique box's order, which is also the order of
/// their markers (Marker) and of every array kept per technique.
inline constexpr int kTechniqueCount = 3;
inline constexpr std::array<Technique, kTechniqueCount> kTechniques = {{
    {kMethodMessage, 'M', kMessageGreen, kKindMessage, true, "message"},
    {kMethodCircuit, 'C', kCircuitBlue, kKindCircuitData, false, "circuit"},
    {kMethodPacket, 'P', kPacketOrange, kKindPacket, true, "packet"},
}};

/// The index of the technique named `name` exactly, or -1.
constexpr int TechniqueIndex(std::string_view name) {
  for (int i = 0; i < kTechniqueCount; ++i) {
    if (kTechniques[static_cast<std::size_t>(i)].name == name) return i;
  }
  return -1;
}

}  // namespace switchsim
