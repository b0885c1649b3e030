#include "rectangle_shape.h"

#include <QPainter>
#include <algorithm>

#include "appearance.h"
#include "line_pixels.h"

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
  const QColor colour = appearance::ToQColor(colour_);
  const QRect all = rect();
  const int w = width_px_;
  painter.fillRect(QRect(0, 0, all.width(), w), colour);
  painter.fillRect(QRect(0, all.height() - w, all.width(), w), colour);
  painter.fillRect(QRect(0, 0, w, all.height()), colour);
  painter.fillRect(QRect(all.width() - w, 0, w, all.height()), colour);
}

}  // namespace switchsim
