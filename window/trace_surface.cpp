#include "trace_surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "appearance.h"
#include "layout.h"
#include "line_pixels.h"

namespace switchsim {

using layout::kTwipsPerPixel;

TraceSurface::TraceSurface(QWidget* parent) : QWidget(parent) {
  // The image paints every pixel, so Qt need not fill the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::TabFocus);
}

void TraceSurface::Place(const QRect& geometry) {
  setGeometry(geometry);
  const qreal ratio = devicePixelRatioF();
  image_ = QImage(geometry.size() * ratio, QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio);
  DrawFrame();
  Cls();
}

QRect TraceSurface::DrawingArea() const {
  const int border = layout::kTraceBorderPx;
  return rect().adjusted(border, border, -border, -border);
}

float TraceSurface::ScaleWidth() const {
  return static_cast<float>(DrawingArea().width() * kTwipsPerPixel);
}

void TraceSurface::DrawFrame() {
  QPainter painter(&image_);
  painter.setPen(Qt::NoPen);
  painter.setBrush(appearance::ToQColor(appearance::kTraceBorder));
  painter.drawRect(rect());
}

void TraceSurface::Cls() {
  if (image_.isNull()) return;
  QPainter painter(&image_);
  painter.fillRect(DrawingArea(), appearance::ToQColor(appearance::kTraceColour));
  update(DrawingArea());
}

void TraceSurface::Line(double x1, double y1, double x2, double y2) {
  if (image_.isNull()) return;
  const QRect area = DrawingArea();
  QPainter painter(&image_);
  painter.setClipRect(area);
  painter.translate(area.topLeft());
  painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
  painter.translate(-scale_left_, 0.0);
  // One logical pixel wide, ending flat at its end points: successive ticks'
  // strokes lie 0.83 px apart and so join into solid bands.
  QPen pen(appearance::ToQColor(fore_colour_), kTwipsPerPixel);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  // Each end sits in the middle of its pixel row, so that a horizontal
  // stroke fills exactly the row its y falls in, on every rasteriser.
  const auto row_middle = [](double y) {
    return (TraceRow(y) + 0.5) * kTwipsPerPixel;
  };
  const QLineF segment(x1, row_middle(y1), x2, row_middle(y2));
  painter.drawLine(segment);

  // Repaint just the strip the segment touched, in logical pixels.
  const QRectF touched = painter.transform().mapRect(
      QRectF(segment.p1(), segment.p2()).normalized().adjusted(-kTwipsPerPixel, -kTwipsPerPixel,
                                                               kTwipsPerPixel, kTwipsPerPixel));
  const QRect dirty = touched.toAlignedRect().intersected(area);
  if (!dirty.isEmpty()) update(dirty);
}

void TraceSurface::MatchDevicePixelRatio() {
  const qreal ratio = devicePixelRatioF();
  if (image_.isNull() || qFuzzyCompare(image_.devicePixelRatio(), ratio)) return;
  // The window moved to a screen of another density: keep what was drawn.
  QImage resized(size() * ratio, QImage::Format_RGB32);
  resized.setDevicePixelRatio(ratio);
  QPainter painter(&resized);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(rect()), image_);
  painter.end();
  image_ = resized;
}

void TraceSurface::paintEvent(QPaintEvent* event) {
  MatchDevicePixelRatio();
  QPainter painter(this);
  const QRect dirty = event->rect();
  const qreal ratio = image_.devicePixelRatio();
  painter.drawImage(QRectF(dirty), image_,
                    QRectF(dirty.x() * ratio, dirty.y() * ratio, dirty.width() * ratio,
                           dirty.height() * ratio));
  if (hasFocus()) {
    painter.setPen(appearance::ToQColor(appearance::kFocusColour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void TraceSurface::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void TraceSurface::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

}  // namespace switchsim
