#pragma once

#include <array>
#include <string>
#include <vector>

#include "form/marker.h"

// What the classroom draws in the form's free margins, without moving any
// control: a time scale left of the first trace and a label beside each
// visible completion marker. Every front end draws these from here.
namespace switchsim {

/// Which of the classroom's additions the form shows; none at first, so
/// that the form alone is what it always was.
struct Additions {
  bool time_scale = false;
  bool marker_labels = false;
  bool marker_edges = false;  // a thin dark edge around each marker line

  friend bool operator==(const Additions&, const Additions&) = default;
};
inline constexpr Additions kAllAdditions = {true, true, true};

/// One mark of the time scale: a second of clock and its height down the
/// traces, in twips of a trace's scale (the height its strokes are drawn at).
struct TimeMark {
  double y_twips = 0.0;
  std::string label;  // "0", "1", ...
};

/// A mark every second from 0 to the bottom of the traces.
std::vector<TimeMark> TimeScaleMarks();

/// The label beside a visible marker: its technique's initial and its
/// completion time, placed so that no two labels overlap.
struct MarkerLabel {
  Marker marker = Marker::Message;
  std::string text;             // "C 6375 ms", with a thin space before the unit
  double marker_y_twips = 0.0;  // the marker's height on the form
  double label_y_twips = 0.0;   // the middle of the label on the form
};

/// The labels of the visible markers, top to bottom. Each is `height_twips`
/// high and stands level with its marker where it can; labels that would
/// overlap each other or leave the label strip are moved down, then up from
/// the strip's bottom. Without `with_unit` a label is "C 6375", for text
/// too large for the unit to fit.
std::vector<MarkerLabel> LayOutMarkerLabels(const std::array<MarkerState, kTechniqueCount>& markers,
                                            double height_twips, bool with_unit = true);

/// "M", "C" or "P".
std::string_view MarkerInitial(Marker marker);

}  // namespace switchsim
