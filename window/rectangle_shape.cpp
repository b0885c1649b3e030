#include "rectangle_shape.h"

#include <QPainter>

#include "appearance.h"

namespace switchsim {

RectangleShape::RectangleShape(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void RectangleShape::SetBorderColor(Rgb colour) {
  colour_ = colour;
  update();
}

void RectangleShape::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(appearance::ToQColor(colour_));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace switchsim
