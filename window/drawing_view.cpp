#include "window/drawing_view.h"

#include <QPainter>
#include <cmath>

#include "window/drawing_painter.h"
#include "window/qt_text.h"

namespace switchsim {

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) { setFixedSize(0, 0); }

void DrawingView::SetDrawing(Drawing drawing) {
  const bool resized = drawing.width != drawing_.width || drawing.height != drawing_.height;
  drawing_ = std::move(drawing);
  if (resized) {
    setFixedSize(static_cast<int>(std::ceil(drawing_.width)), static_cast<int>(std::ceil(drawing_.height)));
  }
  if (accessibleName() != ToQString(drawing_.title)) setAccessibleName(ToQString(drawing_.title));
  if (accessibleDescription() != ToQString(drawing_.description)) {
    setAccessibleDescription(ToQString(drawing_.description));
  }
  update();
}

void DrawingView::paintEvent(QPaintEvent* /*event*/) {
  if (drawing_.width <= 0) return;
  QPainter painter(this);
  PaintDrawing(painter, drawing_);
}

}  // namespace switchsim
