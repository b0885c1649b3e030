#include "window/drawing_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <cmath>
#include <variant>

#include "window/appearance.h"
#include "window/qt_text.h"

namespace switchsim {
namespace {

using appearance::ToQColor;

inline constexpr qreal kDashPx = 4.0;  // the dashes and gaps of a dashed pen, as in the SVG

QPen PenOf(const Pen& pen) {
  QPen qpen(ToQColor(pen.colour), pen.width);
  if (pen.dashed) qpen.setDashPattern({kDashPx / pen.width, kDashPx / pen.width});
  return qpen;
}

struct ItemPainter {
  QPainter& painter;

  void operator()(const DrawLine& line) const {
    painter.setPen(PenOf(line.pen));
    painter.drawLine(QPointF(line.from.x, line.from.y), QPointF(line.to.x, line.to.y));
  }
  void operator()(const DrawPolyline& polyline) const {
    QPolygonF points;
    for (const DrawPoint& at : polyline.points) points << QPointF(at.x, at.y);
    painter.setPen(PenOf(polyline.pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(points);
  }
  void operator()(const DrawRect& rect) const {
    painter.setPen(rect.outlined ? PenOf(rect.pen) : QPen(Qt::NoPen));
    painter.setBrush(rect.filled ? QBrush(ToQColor(rect.fill)) : QBrush(Qt::NoBrush));
    painter.drawRect(QRectF(rect.x, rect.y, rect.width, rect.height));
  }
  void operator()(const DrawCircle& circle) const {
    painter.setPen(circle.outlined ? PenOf(circle.pen) : QPen(Qt::NoPen));
    painter.setBrush(circle.filled ? QBrush(ToQColor(circle.fill)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QPointF(circle.centre.x, circle.centre.y), circle.radius, circle.radius);
  }
  void operator()(const DrawText& text) const {
    QFont font(QStringLiteral("sans-serif"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(text.size))));
    font.setBold(text.bold);
    const QString shown = ToQString(text.text);
    const qreal width = QFontMetricsF(font).horizontalAdvance(shown);
    const qreal shift = text.align == TextAlign::Start ? 0 : text.align == TextAlign::Middle ? width / 2 : width;
    painter.save();
    painter.translate(text.at.x, text.at.y);
    painter.rotate(text.rotation);
    painter.setFont(font);
    painter.setPen(ToQColor(text.colour));
    painter.drawText(QPointF(-shift, 0), shown);
    painter.restore();
  }
};

}  // namespace

void PaintDrawing(QPainter& painter, const Drawing& drawing) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRectF(0, 0, drawing.width, drawing.height), ToQColor(drawing.background));
  for (const DrawItem& item : drawing.items) std::visit(ItemPainter{painter}, item);
  painter.restore();
}

QImage ImageOf(const Drawing& drawing, double scale) {
  QImage image(static_cast<int>(std::ceil(drawing.width * scale)), static_cast<int>(std::ceil(drawing.height * scale)),
               QImage::Format_RGB32);
  image.fill(ToQColor(drawing.background));
  QPainter painter(&image);
  painter.scale(scale, scale);
  PaintDrawing(painter, drawing);
  return image;
}

}  // namespace switchsim
