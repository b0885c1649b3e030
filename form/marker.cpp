#include "form/marker.h"

#include "look/layout.h"

namespace switchsim {

std::optional<Marker> MarkerFor(std::string_view technique, std::int16_t kind) {
  const int index = TechniqueIndex(technique);
  if (index < 0) return std::nullopt;
  const Technique& row = kTechniques[static_cast<std::size_t>(index)];
  if (!row.any_arrival_marks && row.data_kind != kind) return std::nullopt;
  return static_cast<Marker>(index);
}

double MarkerYTwips(std::int32_t clock_ms) {
  return layout::kTraceTop + clock_ms / layout::kMsPerTraceTwip;
}

std::string_view MarkerName(Marker marker) { return kTechniques.at(static_cast<std::size_t>(marker)).marker_name; }

}  // namespace switchsim
