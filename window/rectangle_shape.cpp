#include "window/rectangle_shape.h"

#include <QPainter>
#include <algorithm>

#include "window/appearance.h"
#include "window/form_widgets.h"
#include "look/line_pixels.h"

namespace switchsim {

RectangleShape::RectangleShape(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void RectangleShape::SetBorderColor(Rgb colour) {
  colour_ = colour;
  update();
}

void RectangleShape::SetScale(double scale) {
  width_px_ = std::max(1, ScaledPx(1, scale));
  update();
}

void RectangleShape::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintFrame(painter, rect(), width_px_, appearance::ToQColor(colour_));
}

}  // namespace switchsim
