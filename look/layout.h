#pragma once

#include <algorithm>
#include <array>
#include <string_view>

#include "simulation/constants.h"
#include "simulation/techniques.h"

// The form's fixed geometry, the same for every front end. Positions and
// sizes are in twips from the top-left corner of the client area (15 twips
// make one logical pixel) unless a name ends in Px; lines are given by their
// end points.
namespace switchsim::layout {

inline constexpr int kTwipsPerPixel = 15;       // twips per logical pixel
inline constexpr double kMsPerTraceTwip = 2.0;  // ms of clock per twip down a trace

/// Logical pixels for a twips value, rounded to the nearest pixel.
constexpr int Px(int twips) {
  return (twips >= 0 ? twips + kTwipsPerPixel / 2 : twips - kTwipsPerPixel / 2) / kTwipsPerPixel;
}

/// A rectangle in twips.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

/// A line in twips, from (x1, y1) to (x2, y2).
struct TwipsLine {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
};

inline constexpr int kClientWidth = 13740;   // twips: 916 px
inline constexpr int kClientHeight = 9855;   // twips: 657 px

// Per-link boxes and labels, indexed by link.
inline constexpr std::array<int, kLinkCount> kLinkBoxLeft = {2520, 6240, 10080};
inline constexpr int kRateBoxTop = 120;
inline constexpr int kDelayBoxTop = 480;
inline constexpr int kLinkBoxWidth = 1335;
/// The link boxes stand 360 twips apart, so each takes that height (24 px)
/// and the rate box does not run under the delay box below it.
inline constexpr int kLinkBoxHeight = 360;

/// Label1 by index: 0, 3, 5 are the "Bit-Rate" labels, 1, 2, 4 the "Delay" labels.
inline constexpr std::array<TwipsRect, 6> kLabel1 = {{
    {1320, 180, 1095, 255},
    {1680, 540, 735, 375},
    {5400, 540, 735, 375},
    {5040, 180, 1095, 255},
    {9240, 540, 735, 375},
    {8880, 180, 1095, 255},
}};
/// The Label1 index of each link's "Bit-Rate" and "Delay" label.
inline constexpr std::array<int, kLinkCount> kRateLabelIndex = {0, 3, 5};
inline constexpr std::array<int, kLinkCount> kDelayLabelIndex = {1, 2, 4};

// Nodes, indexed 0 Transmit, 1 Router A, 2 Router B, 3 Receive.
inline constexpr int kNodeCount = 4;
inline constexpr std::array<TwipsRect, kNodeCount> kNodeLabel = {{
    {360, 915, 1215, 375},
    {4020, 900, 1215, 375},
    {7740, 900, 1215, 375},
    {11490, 900, 1215, 375},
}};
/// Shape1 by index: 3 boxes Transmit, 1 Router A, 2 Router B, 0 Receive.
inline constexpr std::array<TwipsRect, kNodeCount> kShape1 = {{
    {11460, 840, 1335, 495},
    {3960, 840, 1335, 495},
    {7680, 840, 1455, 495},
    {300, 840, 1335, 495},
}};
/// Line1: the vertical line under each node.
inline constexpr std::array<TwipsLine, kNodeCount> kLine1 = {{
    {960, 1320, 960, 8100},
    {4680, 1200, 4680, 8100},
    {8400, 1200, 8400, 8100},
    {12120, 1200, 12120, 8100},
}};
inline constexpr TwipsLine kLine2 = {960, 8100, 12120, 8100};  // base line under the traces
inline constexpr int kNodeLineWidthPx = 1;                     // px

// The traces, indexed by link.
inline constexpr std::array<int, kLinkCount> kTraceLeft = {1020, 4740, 8460};
inline constexpr int kTraceTop = 1360;
inline constexpr int kTraceWidth = 3620;
inline constexpr int kTraceHeight = 6690;
inline constexpr int kTraceBorderPx = 1;  // px of frame around each trace's drawing area
inline constexpr TwipsRect kFrame1 = {1080, 1440, 3495, 6615};

// Completion markers at their design-time heights; they move up and down only.
inline constexpr TwipsLine kPacketMarker = {12120, 4860, 12720, 4860};
inline constexpr TwipsLine kCircuitMarker = {12120, 5220, 12720, 5220};
inline constexpr TwipsLine kMessageMarker = {12120, 5580, 12720, 5580};
/// The completion markers' lines, in the techniques' order (kTechniques).
inline constexpr std::array<TwipsLine, kTechniqueCount> kMarkerLines = {kMessageMarker, kCircuitMarker,
                                                                        kPacketMarker};
inline constexpr int kMarkerWidthPx = 3;  // px: thickness of a marker line

// The free margins that the classroom's additions draw in; no control lies
// there. The time scale stands left of the first trace's node line, level
// with the traces; the marker labels stand right of the markers, below the
// box around "Receive".
inline constexpr int kTwipsPerSecond = 500;  // twips down a trace per second of clock
inline constexpr TwipsRect kTimeScale = {0, kTraceTop, 945, kTraceHeight};
inline constexpr TwipsRect kMarkerLabelStrip = {12750, 1350, kClientWidth - 12750,
                                                kClientHeight - 1350};

// Run controls below the traces.
inline constexpr std::array<TwipsRect, 2> kStartButton = {{
    {1020, 8400, 1095, 480},  // 480 high, so the button ends where the next one starts
    {1020, 8880, 1095, 495},
}};
inline constexpr TwipsRect kTechniqueLabel = {2880, 8460, 1815, 375};
inline constexpr TwipsRect kMethodBox = {4860, 8400, 2295, 480};
inline constexpr TwipsRect kSizeLabel = {2940, 9000, 1815, 375};
inline constexpr TwipsRect kSizeBox = {4860, 8940, 2295, 480};
inline constexpr TwipsRect kCrest = {7560, 8520, 4500, 720};
inline constexpr int kCrestWidthPx = 300;   // px
inline constexpr int kCrestHeightPx = 48;   // px

/// The controls that take the keyboard focus, in their tab order.
enum class Focusable {
  SizeBox, MethodBox, StartButton, RateBox0, DelayBox0, RateBox1, DelayBox1, RateBox2,
  DelayBox2, Trace0, Trace1, Trace2, PauseButton
};
inline constexpr std::array<Focusable, 13> kTabOrder = {
    Focusable::SizeBox,   Focusable::MethodBox, Focusable::StartButton, Focusable::RateBox0,
    Focusable::DelayBox0, Focusable::RateBox1,  Focusable::DelayBox1,   Focusable::RateBox2,
    Focusable::DelayBox2, Focusable::Trace0,    Focusable::Trace1,      Focusable::Trace2,
    Focusable::PauseButton};

// Fonts, by pixel size so that the look does not follow the screen's DPI.
inline constexpr std::string_view kFontFamily = "DejaVu Sans";  // the plain sans-serif
inline constexpr int kLargeFontPx = 18;  // px: 13.5 pt at 96 dots per inch
inline constexpr int kSmallFontPx = 16;  // px: 12 pt at 96 dots per inch
/// The face's ascent, in ems: a caption's baseline lies this far below its
/// top (rounded to a whole px, as the toolkits do).
inline constexpr double kFontAscentEm = 0.928;
/// A line's baseline lies this far below its middle, in ems.
inline constexpr double kFontMiddleToBaselineEm = 0.35;

// The additions in the margins, as every front end draws them.
inline constexpr int kMarginFontPx = 10;        // px: the time scale's and the marker labels' text
inline constexpr int kMarginLineHeightPx = 11;  // px: one line of that text
inline constexpr int kTimeTickLengthPx = 5;     // px: a second's tick, ending at the scale's right edge
inline constexpr int kTimeLabelGapPx = 3;       // px between a second's label and its tick
inline constexpr int kLeaderPx = 3;             // px from the label strip's left edge to a label's text

// The logo: four nodes joined by three links in the techniques' colours, and
// the program's name, in a picture of kCrestWidthPx x kCrestHeightPx.
inline constexpr int kCrestFirstNodePx = 14;    // px from the left edge to the first node's centre
inline constexpr int kCrestNodeSpacingPx = 40;  // px between node centres
inline constexpr int kCrestNodeRadiusPx = 7;    // px
inline constexpr double kCrestNodePenPx = 2.5;  // px: the nodes' outline
inline constexpr int kCrestLinkWidthPx = 5;     // px
inline constexpr int kCrestNameLeftPx = 150;    // px from the left edge to the name
inline constexpr int kCrestNameFontPx = 30;     // px, bold
inline constexpr std::string_view kCrestName = "switchsim";

/// The parts of the form that only decorate, by name: the frame behind the
/// first trace, the node lines, the base line, the boxes around the nodes,
/// and the margins' drawings. Assistive technology leaves them out: the
/// controls, traces and markers say all they show.
inline constexpr std::array<std::string_view, 7> kDecoration = {
    "Frame1", "Line1", "Line2", "Shape1", "timeScale", "markerLabels", "focusRing"};

/// Whether the part named `name` (an array's members by their array's name) is decoration.
constexpr bool IsDecoration(std::string_view name) {
  return std::find(kDecoration.begin(), kDecoration.end(), name) != kDecoration.end();
}

}  // namespace switchsim::layout
