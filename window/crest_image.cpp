#include "window/crest_image.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

#include "window/appearance.h"
#include "simulation/constants.h"
#include "look/layout.h"
#include "window/qt_text.h"

namespace switchsim {
CrestImage::CrestImage(QWidget* parent) : QWidget(parent) {
  resize(layout::kCrestWidthPx, layout::kCrestHeightPx);
  setFocusPolicy(Qt::NoFocus);
}

void CrestImage::Draw(QPainter& painter, const QSize& size) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal middle = size.height() / 2.0;
  for (int k = 0; k < kLinkCount; ++k) {
    QPen pen(appearance::ToQColor(appearance::kLogoLinkColours[k]), layout::kCrestLinkWidthPx);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const qreal from = layout::kCrestFirstNodePx + k * layout::kCrestNodeSpacingPx;
    painter.drawLine(QPointF(from, middle), QPointF(from + layout::kCrestNodeSpacingPx, middle));
  }
  painter.setPen(QPen(appearance::ToQColor(appearance::kNodeLineColour), layout::kCrestNodePenPx));
  painter.setBrush(Qt::white);
  for (int node = 0; node < layout::kNodeCount; ++node) {
    painter.drawEllipse(QPointF(layout::kCrestFirstNodePx + node * layout::kCrestNodeSpacingPx, middle), layout::kCrestNodeRadiusPx,
                        layout::kCrestNodeRadiusPx);
  }

  QFont font = appearance::LargeFont();
  font.setPixelSize(layout::kCrestNameFontPx);
  font.setBold(true);
  QPainterPath name;
  name.addText(0, 0, font, ToQString(layout::kCrestName));
  const QRectF bounds = name.boundingRect();
  const qreal scale = std::min(1.0, (size.width() - layout::kCrestNameLeftPx - 2) / bounds.width());
  painter.translate(layout::kCrestNameLeftPx, middle);
  painter.scale(scale, scale);
  painter.translate(-bounds.left(), -bounds.center().y());
  painter.setPen(Qt::NoPen);
  painter.setBrush(appearance::ToQColor(appearance::kNodeLineColour));
  painter.drawPath(name);
  painter.restore();
}

void CrestImage::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const double scale = static_cast<double>(width()) / layout::kCrestWidthPx;
  if (scale != 1.0) painter.scale(scale, scale);
  Draw(painter, QSize(layout::kCrestWidthPx, layout::kCrestHeightPx));
}

}  // namespace switchsim
