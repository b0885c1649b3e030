#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace switchsim {

/// What the run log calls a unit of `kind` (TransferUnit::Kind) in a run of
/// `technique`: "message", "packet", "circuit data", "set-up request",
/// "acknowledgement", or "release" for the circuit's unit of kind 1. In
/// English, marked for the catalog: a person reads Tr() of it.
std::string_view UnitName(std::int16_t kind, std::string_view technique);

/// Link `link` (0 to 2) as a unit crosses it, from node to node:
/// "Transmit → Router A" forward, "Router A → Transmit" back.
/// In English, as files for programs write it.
std::string CrossingName(int link, bool forward);
/// The same, as a person reads it in the language in use.
std::string ShownCrossingName(int link, bool forward);


}  // namespace switchsim
