#include "records/unit_names.h"

#include "simulation/constants.h"
#include "form/lists.h"

namespace switchsim {

std::string_view UnitName(std::int16_t kind, std::string_view technique) {
  switch (kind) {
    case kKindMessage: return "message";
    case kKindPacket: return technique == kMethodCircuit ? "release" : "packet";
    case kKindCircuitData:
    case kKindPassedOnData: return "circuit data";
    case kKindSetUpRequest: return "set-up request";
    case kKindAcknowledgement: return "acknowledgement";
    default: return "unknown";
  }
}

std::string CrossingName(int link, bool forward) {
  const std::string_view from = lists::kNodeNames[forward ? link : link + 1];
  const std::string_view to = lists::kNodeNames[forward ? link + 1 : link];
  return std::string(from) + " \u2192 " + std::string(to);
}

}  // namespace switchsim
