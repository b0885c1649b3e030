#include "look/line_pixels.h"

#include <algorithm>
#include <cmath>

#include "look/layout.h"

namespace switchsim {
namespace {

int ToPixel(double twips) { return static_cast<int>(std::lround(twips / layout::kTwipsPerPixel)); }

}  // namespace

PixelRect LinePixels(double x1, double y1, double x2, double y2, int width_px) {
  const int left = std::min(ToPixel(x1), ToPixel(x2));
  const int right = std::max(ToPixel(x1), ToPixel(x2));
  const int top = std::min(ToPixel(y1), ToPixel(y2));
  const int bottom = std::max(ToPixel(y1), ToPixel(y2));
  const int before = (width_px - 1) / 2;
  if (top == bottom) return {left, top - before, right - left + 1, width_px};
  return {left - before, top, width_px, bottom - top + 1};
}

int TraceRow(double y_twips) {
  return static_cast<int>(std::floor(y_twips / layout::kTwipsPerPixel));
}

int ScaledPx(double px, double scale) { return static_cast<int>(std::lround(px * scale)); }

PixelRect ScaledPixels(const PixelRect& rect, double scale) {
  const int left = ScaledPx(rect.left, scale);
  const int top = ScaledPx(rect.top, scale);
  return {left, top, ScaledPx(rect.left + rect.width, scale) - left,
          ScaledPx(rect.top + rect.height, scale) - top};
}

}  // namespace switchsim
