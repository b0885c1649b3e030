#include "crest_image.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

#include "appearance.h"
#include "constants.h"
#include "layout.h"

namespace switchsim {
namespace {

inline constexpr int kNodeRadiusPx = 7;    // px
inline constexpr int kNodeSpacingPx = 40;  // px between node centres
inline constexpr int kFirstNodePx = 14;    // px from the left edge to the first node's centre
inline constexpr int kLinkWidthPx = 5;     // px
inline constexpr int kNameLeftPx = 150;    // px from the left edge to the name
inline constexpr int kNameFontPx = 30;     // px

}  // namespace

CrestImage::CrestImage(QWidget* parent) : QWidget(parent) {
  setFixedSize(layout::kCrestWidthPx, layout::kCrestHeightPx);
  setFocusPolicy(Qt::NoFocus);
}

void CrestImage::Draw(QPainter& painter, const QSize& size) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal middle = size.height() / 2.0;
  const std::array<Rgb, kLinkCount> link_colours = {kMessageGreen, kCircuitBlue,
                                                    appearance::kPacketMarkerColour};
  for (int k = 0; k < kLinkCount; ++k) {
    QPen pen(appearance::ToQColor(link_colours[k]), kLinkWidthPx);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const qreal from = kFirstNodePx + k * kNodeSpacingPx;
    painter.drawLine(QPointF(from, middle), QPointF(from + kNodeSpacingPx, middle));
  }
  painter.setPen(QPen(appearance::ToQColor(appearance::kNodeLineColour), 2.5));
  painter.setBrush(Qt::white);
  for (int node = 0; node < layout::kNodeCount; ++node) {
    painter.drawEllipse(QPointF(kFirstNodePx + node * kNodeSpacingPx, middle), kNodeRadiusPx,
                        kNodeRadiusPx);
  }

  QFont font = appearance::LargeFont();
  font.setPixelSize(kNameFontPx);
  font.setBold(true);
  QPainterPath name;
  name.addText(0, 0, font, QStringLiteral("switchsim"));
  const QRectF bounds = name.boundingRect();
  const qreal scale = std::min(1.0, (size.width() - kNameLeftPx - 2) / bounds.width());
  painter.translate(kNameLeftPx, middle);
  painter.scale(scale, scale);
  painter.translate(-bounds.left(), -bounds.center().y());
  painter.setPen(Qt::NoPen);
  painter.setBrush(appearance::ToQColor(appearance::kNodeLineColour));
  painter.drawPath(name);
  painter.restore();
}

void CrestImage::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  Draw(painter, size());
}

}  // namespace switchsim
