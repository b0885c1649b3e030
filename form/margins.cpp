#include "form/margins.h"

#include <algorithm>

#include "look/layout.h"
#include "text/translation.h"

namespace switchsim {

std::vector<TimeMark> TimeScaleMarks() {
  std::vector<TimeMark> marks;
  for (int s = 0; s * layout::kTwipsPerSecond <= layout::kTraceHeight; ++s) {
    marks.push_back({static_cast<double>(s * layout::kTwipsPerSecond), std::to_string(s)});
  }
  return marks;
}

std::string_view MarkerInitial(Marker marker) {
  const Technique& technique = kTechniques.at(static_cast<std::size_t>(marker));
  return std::string_view(&technique.initial, 1);
}

std::vector<MarkerLabel> LayOutMarkerLabels(const std::array<MarkerState, kTechniqueCount>& markers,
                                            double height_twips, bool with_unit) {
  std::vector<MarkerLabel> labels;
  for (std::size_t m = 0; m < markers.size(); ++m) {
    const MarkerState& state = markers[m];
    if (!state.visible) continue;
    const auto marker = static_cast<Marker>(m);
    const std::string initial(MarkerInitial(marker));
    const std::string clock = std::to_string(state.clock_ms);
    // TRANSLATORS: a marker's label: the technique's initial (M, C or P, as
    // answers give it) and its completion time, a thin space before the unit.
    labels.push_back({marker,
                      with_unit ? Fill(TrIn("marker label", "{0} {1}\u2009ms"), {initial, clock}) : initial + " " + clock,
                      state.y_twips, state.y_twips});
  }
  std::stable_sort(labels.begin(), labels.end(), [](const MarkerLabel& a, const MarkerLabel& b) {
    return a.marker_y_twips < b.marker_y_twips;
  });
  const layout::TwipsRect strip = layout::kMarkerLabelStrip;
  double highest = strip.top + height_twips / 2;
  for (MarkerLabel& label : labels) {
    label.label_y_twips = std::max(label.label_y_twips, highest);
    highest = label.label_y_twips + height_twips;
  }
  double lowest = strip.top + strip.height - height_twips / 2;
  for (auto label = labels.rbegin(); label != labels.rend(); ++label) {
    label->label_y_twips = std::min(label->label_y_twips, lowest);
    lowest = label->label_y_twips - height_twips;
  }
  return labels;
}

}  // namespace switchsim
