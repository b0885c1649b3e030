#include "window/appearance.h"

#include <QPalette>
#include <QWidget>
#include <algorithm>

#include "look/layout.h"
#include "look/line_pixels.h"
#include "window/qt_text.h"

namespace switchsim::appearance {
namespace {

QFont SansSerif(int pixel_size, bool bold) {
  QFont font(ToQString(layout::kFontFamily));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

}  // namespace

void SetForeColour(QWidget& widget, Rgb colour) {
  QPalette palette = widget.palette();
  const QColor qt_colour = ToQColor(colour);
  // Labels write in WindowText, buttons in ButtonText, edit fields in Text.
  // In every group: the colour says what the rate is, whether or not the
  // window is active.
  for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
    palette.setColor(role, qt_colour);
  }
  widget.setPalette(palette);
}

Rgb ForeColour(const QWidget& widget) {
  return ToRgb(widget.palette().color(QPalette::Active, QPalette::Text));
}

QFont LargeFont() { return SansSerif(layout::kLargeFontPx, false); }
QFont SmallFont() { return SansSerif(layout::kSmallFontPx, false); }
QFont SmallBoldFont() { return SansSerif(layout::kSmallFontPx, true); }
QFont MarginFont() { return SansSerif(layout::kMarginFontPx, false); }
QFont MarginFont(const MarginText& text, double scale) {
  return SansSerif(std::max(1, ScaledPx(text.font_px, scale)), text.bold);
}

QFont PanelFont(QFont usual, const Presentation& presentation) {
  const PanelText text = PanelTextFor(presentation);
  if (usual.pointSizeF() > 0) {
    usual.setPointSizeF(usual.pointSizeF() * text.scale);
  } else {
    usual.setPixelSize(qRound(usual.pixelSize() * text.scale));
  }
  usual.setBold(text.bold);
  return usual;
}

}  // namespace switchsim::appearance
