#include "window/trace_surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "window/appearance.h"
#include "look/layout.h"
#include "look/line_pixels.h"
#include "window/scaled_placement.h"

namespace switchsim {

using layout::kTwipsPerPixel;

TraceSurface::TraceSurface(QWidget* parent) : QWidget(parent) {
  // The image paints every pixel, so Qt need not fill the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::TabFocus);
}

void TraceSurface::Place(const QRect& geometry) {
  form_geometry_ = geometry;
  setGeometry(Scaled(form_geometry_, scale_));
  strokes_.clear();
  Rebuild();
}

void TraceSurface::SetScale(double scale, int stroke_rows) {
  if (scale == scale_ && stroke_rows == stroke_rows_) return;
  scale_ = scale;
  stroke_rows_ = std::max(1, stroke_rows);
  setGeometry(Scaled(form_geometry_, scale_));
  Rebuild();
}

QRect TraceSurface::DrawingArea() const {
  const int border = layout::kTraceBorderPx;
  return QRect(QPoint(0, 0), form_geometry_.size()).adjusted(border, border, -border, -border);
}

float TraceSurface::ScaleWidth() const {
  return static_cast<float>(DrawingArea().width() * kTwipsPerPixel);
}

int TraceSurface::DevicePx(double form_px) const { return ScaledPx(form_px, density_); }

void TraceSurface::Rebuild() {
  const qreal ratio = devicePixelRatioF();
  density_ = ratio * scale_;
  image_ = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
  const QRect area = DrawingArea();
  device_area_ = QRect(QPoint(DevicePx(area.left()), DevicePx(area.top())),
                       QPoint(DevicePx(area.left() + area.width()) - 1,
                              DevicePx(area.top() + area.height()) - 1));
  QPainter painter(&image_);
  painter.fillRect(image_.rect(), appearance::ToQColor(appearance::kTraceBorder));
  painter.fillRect(device_area_, appearance::ToQColor(appearance::kTraceColour));
  painter.end();
  for (const Stroke& stroke : strokes_) DrawStroke(stroke);
  update();
}

void TraceSurface::Cls() {
  strokes_.clear();
  if (image_.isNull()) return;
  QPainter painter(&image_);
  painter.fillRect(device_area_, appearance::ToQColor(appearance::kTraceColour));
  update(rect());
}

void TraceSurface::Line(double x1, double y1, double x2, double y2) {
  if (image_.isNull()) return;
  strokes_.push_back({x1, y1, x2, y2, fore_colour_});
  const QRect touched = DrawStroke(strokes_.back());
  // Repaint just the strip the segment touched, in logical pixels.
  const qreal ratio = devicePixelRatioF();
  const QRect dirty = QRectF(QPointF(touched.topLeft()) / ratio, QSizeF(touched.size()) / ratio)
                          .toAlignedRect()
                          .intersected(rect());
  if (!dirty.isEmpty()) update(dirty);
}

QRect TraceSurface::DrawStroke(const Stroke& stroke) {
  // The device rows of the band of `rows` rows from the drawing area's row `row`.
  const int top_row = layout::kTraceBorderPx;
  const auto band_top = [&](int row) { return DevicePx(top_row + row) - device_area_.top(); };
  const int row1 = TraceRow(stroke.y1);
  const int band = DevicePx(top_row + row1 + stroke_rows_) - DevicePx(top_row + row1);
  const double twips_per_device_px = kTwipsPerPixel / density_;
  // Each end sits in the middle of its band, and the pen is as wide as the
  // band, so that a horizontal stroke fills exactly its band's rows.
  const auto band_middle = [&](double y) {
    return (band_top(TraceRow(y)) + band / 2.0) * twips_per_device_px;
  };
  QPainter painter(&image_);
  painter.setClipRect(device_area_);
  painter.translate(device_area_.topLeft());
  painter.scale(density_ / kTwipsPerPixel, density_ / kTwipsPerPixel);
  painter.translate(-scale_left_, 0.0);
  // Ending flat at its end points: successive ticks' strokes lie 0.83 px of
  // the form apart and so join into solid bands.
  QPen pen(appearance::ToQColor(stroke.colour), band * twips_per_device_px);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  const QLineF segment(stroke.x1, band_middle(stroke.y1), stroke.x2, band_middle(stroke.y2));
  painter.drawLine(segment);
  const double half = band * twips_per_device_px / 2.0 + kTwipsPerPixel;
  return painter.transform()
      .mapRect(QRectF(segment.p1(), segment.p2()).normalized().adjusted(-kTwipsPerPixel, -half,
                                                                        kTwipsPerPixel, half))
      .toAlignedRect()
      .intersected(device_area_);
}

void TraceSurface::paintEvent(QPaintEvent* event) {
  if (!image_.isNull() && !qFuzzyCompare(density_, devicePixelRatioF() * scale_)) {
    // The window moved to a screen of another density: draw again, sharp.
    Rebuild();
  }
  QPainter painter(this);
  const QRect dirty = event->rect();
  const qreal ratio = devicePixelRatioF();
  painter.drawImage(QRectF(dirty), image_,
                    QRectF(dirty.x() * ratio, dirty.y() * ratio, dirty.width() * ratio,
                           dirty.height() * ratio));
  if (hasFocus()) {
    const QColor focus = appearance::ToQColor(appearance::kFocusColour);
    const int edge = std::max(1, ScaledPx(1, scale_));
    const QRect all = rect();
    painter.fillRect(QRect(0, 0, all.width(), edge), focus);
    painter.fillRect(QRect(0, all.height() - edge, all.width(), edge), focus);
    painter.fillRect(QRect(0, 0, edge, all.height()), focus);
    painter.fillRect(QRect(all.width() - edge, 0, edge, all.height()), focus);
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
