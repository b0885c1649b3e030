#include "window/scaled_placement.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "look/line_pixels.h"

namespace switchsim {

QRect Scaled(const QRect& rect, double scale) {
  const PixelRect shown = ScaledPixels({rect.x(), rect.y(), rect.width(), rect.height()}, scale);
  return {shown.left, shown.top, shown.width, shown.height};
}

void ScaledPlacement::Record(const QWidget& parent,
                             const std::vector<const QWidget*>& placed_elsewhere) {
  placed_.clear();
  for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (std::ranges::find(placed_elsewhere, child) != placed_elsewhere.end()) continue;
    const bool own_font = child->testAttribute(Qt::WA_SetFont) && child->font().pixelSize() > 0;
    placed_.push_back({child, child->geometry(), own_font ? child->font().pixelSize() : 0});
  }
}

void ScaledPlacement::Apply(double scale) const {
  for (const Placed& placed : placed_) {
    if (placed.widget == nullptr) continue;
    QWidget& widget = *placed.widget;
    if (placed.font_px > 0) {
      QFont font = widget.font();
      font.setPixelSize(std::max(1, ScaledPx(placed.font_px, scale)));
      widget.setFont(font);
    }
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
      PlaceLabel(*label, Scaled(placed.geometry, scale));
    } else {
      widget.setGeometry(Scaled(placed.geometry, scale));
    }
  }
}

void ScaledPlacement::PlaceLabel(QLabel& label, const QRect& geometry) {
  QRect box = geometry;
  const QFontMetrics metrics(label.font());
  const int extra_width = metrics.horizontalAdvance(label.text()) - box.width();
  if (extra_width > 0) {
    const Qt::Alignment alignment = label.alignment();
    if (alignment & Qt::AlignRight) {
      box.setLeft(box.left() - extra_width);
    } else if (alignment & Qt::AlignHCenter) {
      box.adjust(-(extra_width + 1) / 2, 0, (extra_width + 1) / 2, 0);
    } else {
      box.setRight(box.right() + extra_width);
    }
  }
  box.setHeight(std::max(box.height(), metrics.height()));
  label.setGeometry(box);
}

}  // namespace switchsim
