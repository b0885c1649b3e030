#include "window/line_shape.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "window/appearance.h"
#include "look/line_pixels.h"
#include "window/scaled_placement.h"

namespace switchsim {
namespace {

constexpr int kEdgePx = 1;  // px: the dark edge around a line that has one

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

void LineShape::SetScale(double scale) {
  scale_ = scale;
  Place();
  update();
}

void LineShape::SetEdge(bool edge) {
  if (edge == edge_) return;
  edge_ = edge;
  Place();
  update();
}

void LineShape::Place() {
  const PixelRect p = LinePixels(x1_, y1_, x2_, y2_, width_px_);
  const QRect line(p.left, p.top, p.width, p.height);
  const QRect outer = edge_ ? line.adjusted(-kEdgePx, -kEdgePx, kEdgePx, kEdgePx) : line;
  const QRect shown = Scaled(outer, scale_);
  setGeometry(shown);
  inside_ = Scaled(line, scale_).translated(-shown.topLeft());
}

void LineShape::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (edge_) {
    painter.fillRect(rect(), appearance::ToQColor(appearance::kMarkerEdgeColour));
    painter.fillRect(inside_, appearance::ToQColor(colour_));
    return;
  }
  painter.fillRect(rect(), appearance::ToQColor(colour_));
}

}  // namespace switchsim
