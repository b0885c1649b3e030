#include "pictures/text_fitting.h"

#include <algorithm>
#include <type_traits>

namespace switchsim {
namespace {

void Move(DrawPoint& point, double dx) { point.x += dx; }

// Moves one item `dx` px to the right.
void Move(DrawItem& item, double dx) {
  std::visit(
      [dx](auto& drawn) {
        using Drawn = std::decay_t<decltype(drawn)>;
        if constexpr (std::is_same_v<Drawn, DrawLine>) {
          Move(drawn.from, dx);
          Move(drawn.to, dx);
        } else if constexpr (std::is_same_v<Drawn, DrawPolyline>) {
          for (DrawPoint& point : drawn.points) Move(point, dx);
        } else if constexpr (std::is_same_v<Drawn, DrawRect>) {
          drawn.x += dx;
        } else if constexpr (std::is_same_v<Drawn, DrawCircle>) {
          Move(drawn.centre, dx);
        } else {
          Move(drawn.at, dx);
        }
      },
      item);
}

}  // namespace

Box TextsReach(const Drawing& drawing) {
  Box reach;
  bool first = true;
  for (const DrawItem& item : drawing.items) {
    const auto* text = std::get_if<DrawText>(&item);
    if (text == nullptr || text->rotation != 0.0) continue;
    const Box box = TextBox(*text);
    reach = first ? box
                  : Box{std::min(reach.left, box.left), std::min(reach.top, box.top), std::max(reach.right, box.right),
                        std::max(reach.bottom, box.bottom)};
    first = false;
  }
  return reach;
}

void KeepTextsInside(Drawing& drawing) {
  const Box reach = TextsReach(drawing);
  const double left = std::min(0.0, reach.left);
  const double right = std::max(drawing.width, reach.right);
  if (left < 0.0) {
    for (DrawItem& item : drawing.items) Move(item, -left);
  }
  drawing.width = right - left;
}

}  // namespace switchsim
