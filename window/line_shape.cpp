#include "line_shape.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "appearance.h"
#include "layout.h"

namespace switchsim {
namespace {

constexpr int kEdgePx = 1;  // px: the dark edge around a line that has one

int ToPixel(double twips) { return static_cast<int>(std::lround(twips / layout::kTwipsPerPixel)); }

}  // namespace

LineShape::LineShape(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void LineShape::SetEnds(double x1, double y1, double x2, double y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  Place();
}

void LineShape::SetY(double y) { SetEnds(x1_, y, x2_, y); }

void LineShape::SetBorderColor(Rgb colour) {
  colour_ = colour;
  update();
}

void LineShape::SetBorderWidth(int pixels) {
  width_px_ = std::max(1, pixels);
  Place();
}

void LineShape::SetEdge(bool edge) {
  if (edge == edge_) return;
  edge_ = edge;
  Place();
  update();
}

void LineShape::Place() {
  // Both end pixels belong to the line; the thickness spreads evenly about it.
  const int left = std::min(ToPixel(x1_), ToPixel(x2_));
  const int right = std::max(ToPixel(x1_), ToPixel(x2_));
  const int top = std::min(ToPixel(y1_), ToPixel(y2_));
  const int bottom = std::max(ToPixel(y1_), ToPixel(y2_));
  const int before = (width_px_ - 1) / 2;
  QRect line;
  if (top == bottom) {
    line = QRect(left, top - before, right - left + 1, width_px_);
  } else {
    line = QRect(left - before, top, width_px_, bottom - top + 1);
  }
  setGeometry(edge_ ? line.adjusted(-kEdgePx, -kEdgePx, kEdgePx, kEdgePx) : line);
}

void LineShape::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (edge_) {
    painter.fillRect(rect(), appearance::ToQColor(appearance::kMarkerEdgeColour));
    painter.fillRect(rect().adjusted(kEdgePx, kEdgePx, -kEdgePx, -kEdgePx),
                     appearance::ToQColor(colour_));
    return;
  }
  painter.fillRect(rect(), appearance::ToQColor(colour_));
}

}  // namespace switchsim
