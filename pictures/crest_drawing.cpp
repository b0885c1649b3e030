#include "pictures/crest_drawing.h"

#include <algorithm>

#include "look/colours.h"
#include "look/layout.h"

namespace switchsim {
namespace {

// The name's ink in the form's bold face, in ems: as wide as this, starting
// this far right of the text's origin, and its middle this far above the
// baseline (it has no descenders). The window fits the ink into the space
// right of the nodes, less this margin.
inline constexpr double kNameInkWidthEm = 5.52;
inline constexpr double kNameInkLeftEm = 0.045;
inline constexpr double kNameInkMiddleEm = 0.37;
inline constexpr double kNameRightMarginPx = 2.0;  // px

}  // namespace

void DrawCrest(Drawing& drawing, DrawPoint top_left) {
  const double middle = top_left.y + layout::kCrestHeightPx / 2.0;
  const auto node_x = [&](int node) {
    return top_left.x + layout::kCrestFirstNodePx + node * layout::kCrestNodeSpacingPx;
  };
  for (int k = 0; k < kLinkCount; ++k) {
    drawing.items.push_back(DrawLine{{node_x(k), middle}, {node_x(k + 1), middle},
                                     {appearance::kLogoLinkColours[k], layout::kCrestLinkWidthPx}});
  }
  for (int node = 0; node < layout::kNodeCount; ++node) {
    drawing.items.push_back(DrawCircle{.centre = {node_x(node), middle},
                                       .radius = layout::kCrestNodeRadiusPx,
                                       .filled = true,
                                       .fill = appearance::kTraceColour,
                                       .outlined = true,
                                       .pen = {appearance::kNodeLineColour, layout::kCrestNodePenPx}});
  }
  const double room = layout::kCrestWidthPx - layout::kCrestNameLeftPx - kNameRightMarginPx;
  const double size = std::min<double>(layout::kCrestNameFontPx, room / kNameInkWidthEm);
  drawing.items.push_back(DrawText{{top_left.x + layout::kCrestNameLeftPx - size * kNameInkLeftEm,
                                    middle + size * kNameInkMiddleEm},
                                   std::string(layout::kCrestName), appearance::kNodeLineColour,
                                   size, TextAlign::Start, true});
}

}  // namespace switchsim
