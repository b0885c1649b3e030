#include "window/curve_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointingDevice>
#include <algorithm>

#include "window/drawing_painter.h"
#include "window/qt_text.h"

namespace switchsim {

CurveView::CurveView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMinimumSize(320, 200);
}

void CurveView::SetDrawing(Drawing drawing) {
  drawing_ = std::move(drawing);
  setAccessibleName(ToQString(drawing_.title));
  setAccessibleDescription(ToQString(drawing_.description));
  update();
}

QSize CurveView::sizeHint() const {
  if (drawing_.width <= 0) return {780, 500};
  return {static_cast<int>(drawing_.width), static_cast<int>(drawing_.height)};
}

double CurveView::Scale() const {
  if (drawing_.width <= 0 || drawing_.height <= 0) return 1.0;
  return std::min(width() / drawing_.width, height() / drawing_.height);
}

void CurveView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (drawing_.width <= 0) return;
  painter.scale(Scale(), Scale());
  PaintDrawing(painter, drawing_);
}

void CurveView::mousePressEvent(QMouseEvent* event) {
  const double scale = Scale();
  // A touch screen's tap comes as a mouse press from its own device.
  const bool touch = event->pointingDevice() != nullptr &&
                     event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
  emit Pressed({{event->position().x() / scale, event->position().y() / scale},
                touch ? Pointer::Touch : Pointer::Mouse, scale});
}

}  // namespace switchsim
