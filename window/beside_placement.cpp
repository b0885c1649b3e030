#include "window/beside_placement.h"

#include <algorithm>

namespace switchsim {
namespace {

inline constexpr int kOverOffsetPx = 48;  // down and right of the main window's corner, when over it

}  // namespace

QRect BesideOrOver(const QRect& main, QSize size, const QRect& available) {
  size = size.boundedTo(available.size());
  QPoint at;
  if (main.right() + 1 + size.width() <= available.right() + 1) {
    at = {main.right() + 1, main.top()};
  } else if (main.left() - size.width() >= available.left()) {
    at = {main.left() - size.width(), main.top()};
  } else {
    at = main.topLeft() + QPoint(kOverOffsetPx, kOverOffsetPx);
  }
  // Within the screen's free area, moved back rather than cut.
  at.setX(std::clamp(at.x(), available.left(), available.right() + 1 - size.width()));
  at.setY(std::clamp(at.y(), available.top(), available.bottom() + 1 - size.height()));
  return {at, size};
}

}  // namespace switchsim
