#include "pictures/margin_drawing.h"

#include <algorithm>
#include <cmath>

#include "look/colours.h"
#include "look/layout.h"
#include "look/line_pixels.h"
#include "form/margins.h"
#include "text/translation.h"

namespace switchsim {
namespace {

using layout::Px;

// The baseline of a line of margin text whose box starts at `top`.
double Baseline(int top) {
  return std::round(top + layout::kMarginLineHeightPx / 2.0 +
                    layout::kMarginFontPx * layout::kFontMiddleToBaselineEm);
}

DrawText MarginText(double x, int top, std::string text, TextAlign align) {
  return {{x, Baseline(top)}, std::move(text), appearance::kAdditionTextColour,
          static_cast<double>(layout::kMarginFontPx), align};
}

int Row(double y_twips) { return static_cast<int>(std::lround(y_twips / layout::kTwipsPerPixel)); }

}  // namespace

void DrawTimeScale(Drawing& drawing) {
  const int left = Px(layout::kTimeScale.left);
  const int top = Px(layout::kTimeScale.top);
  const int right = left + Px(layout::kTimeScale.width);
  const int height = Px(layout::kTimeScale.height);
  const int tick_left = right - layout::kTimeTickLengthPx;
  const int line = layout::kMarginLineHeightPx;
  for (const TimeMark& mark : TimeScaleMarks()) {
    // The row a stroke at this time fills: the trace's frame, then one pixel row per 15 twips.
    const int row = layout::kTraceBorderPx + TraceRow(mark.y_twips);
    drawing.items.push_back(DrawLine{{static_cast<double>(tick_left), top + row + 0.5},
                                     {static_cast<double>(right), top + row + 0.5},
                                     {appearance::kAdditionLineColour, 1.0}});
    const int label_top = std::clamp(row - line / 2, 0, height - line);
    drawing.items.push_back(MarginText(tick_left - layout::kTimeLabelGapPx, top + label_top,
                                       Fill(Tr("{0} s"), {mark.label}), TextAlign::End));
  }
}

void DrawMarkerLabels(Drawing& drawing, const std::array<MarkerState, kTechniqueCount>& markers) {
  const int left = Px(layout::kMarkerLabelStrip.left);
  const int line = layout::kMarginLineHeightPx;
  for (const MarkerLabel& label :
       LayOutMarkerLabels(markers, line * layout::kTwipsPerPixel, true)) {
    const int marker_row = Row(label.marker_y_twips);
    const int label_row = Row(label.label_y_twips);
    drawing.items.push_back(DrawLine{{static_cast<double>(left), marker_row + 0.5},
                                     {static_cast<double>(left + layout::kLeaderPx), label_row + 0.5},
                                     {appearance::kAdditionLineColour, 1.0}});
    drawing.items.push_back(MarginText(left + layout::kLeaderPx + 1, label_row - line / 2,
                                       label.text, TextAlign::Start));
  }
}

}  // namespace switchsim
