#include "window/scaled_placement.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "look/line_pixels.h"
#include "text/translation.h"

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
  for (const Placed& placed : placed_) Place(placed, scale);
}

void ScaledPlacement::Refit(const QWidget& widget, double scale) const {
  for (const Placed& placed : placed_) {
    if (placed.widget == &widget) Place(placed, scale);
  }
}

void ScaledPlacement::Place(const Placed& placed, double scale) {
  if (placed.widget == nullptr) return;
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
  if (auto* button = qobject_cast<QPushButton*>(&widget); button != nullptr && placed.font_px > 0) {
    FitButton(*button, ScaledPx(placed.font_px, scale));
  }
}

void ScaledPlacement::PlaceLabel(QLabel& label, const QRect& geometry) {
  QRect box = geometry;
  const int line_px = QFontMetrics(label.font()).height();
  // A longer caption of another language first takes a smaller font, so
  // that it covers less of what stands beside it.
  if (label.font().pixelSize() > 0) ShrinkToFit(label, label.text(), box.width(), label.font().pixelSize());
  const QFontMetrics metrics(label.font());
  // Written smaller, a caption (aligned to its top) keeps the middle of its line where its own font has it.
  const int lower = std::max(0, (line_px - metrics.height()) / 2);
  label.setContentsMargins(0, lower, 0, 0);
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
  box.setHeight(std::max(box.height(), lower + metrics.height()));
  label.setGeometry(box);
}

void ScaledPlacement::FitButton(QPushButton& button, int font_px) {
  const QStyle& style = *button.style();
  const int frame = style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button) +
                    2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
  ShrinkToFit(button, QString(button.text()).remove(QChar(u'&')), button.width() - frame, font_px);
}

void ScaledPlacement::ShrinkToFit(QWidget& widget, const QString& caption, int room_px, int font_px) {
  // In English the form stays exactly as it was built, pixel for pixel.
  if (EnglishInUse()) return;
  QFont font = widget.font();
  for (int px = std::max(1, font_px); px >= std::max(1, font_px / 2); --px) {
    font.setPixelSize(px);
    if (QFontMetrics(font).horizontalAdvance(caption) <= room_px) break;
  }
  widget.setFont(font);
}

}  // namespace switchsim
