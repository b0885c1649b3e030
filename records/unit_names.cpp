#include "records/unit_names.h"

#include "simulation/constants.h"
#include "form/lists.h"
#include "text/translation.h"

namespace switchsim {

std::string_view UnitName(std::int16_t kind, std::string_view technique) {
  switch (kind) {
    case kKindMessage: return Mark("message");
    case kKindPacket: return technique == kMethodCircuit ? Mark("release") : Mark("packet");
    case kKindCircuitData:
    case kKindPassedOnData: return Mark("circuit data");
    case kKindSetUpRequest: return Mark("set-up request");
    case kKindAcknowledgement: return Mark("acknowledgement");
    default: return Mark("unknown");
  }
}

std::string CrossingName(int link, bool forward) {
  const std::string_view from = lists::kNodeNames[forward ? link : link + 1];
  const std::string_view to = lists::kNodeNames[forward ? link + 1 : link];
  return std::string(from) + " \u2192 " + std::string(to);
}

std::string ShownCrossingName(int link, bool forward) {
  const std::string_view from = lists::kNodeNames[forward ? link : link + 1];
  const std::string_view to = lists::kNodeNames[forward ? link + 1 : link];
  return Tr(from) + " \u2192 " + Tr(to);
}

}  // namespace switchsim
