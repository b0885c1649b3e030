#include "window/form_widgets.h"

#include <QApplication>
#include <QStyle>

#include "window/accessibility.h"
#include "window/appearance.h"
#include "window/qt_text.h"
#include "window/scaled_placement.h"

namespace switchsim {

QRect ToPixels(const layout::TwipsRect& r) {
  return QRect(layout::Px(r.left), layout::Px(r.top), layout::Px(r.width), layout::Px(r.height));
}

QStringList ToQStringList(std::span<const std::string_view> items) {
  QStringList list;
  for (const std::string_view item : items) list << ToQString(item);
  return list;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QFont& font,
                  Qt::Alignment alignment, const QRect& geometry) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  // Captions sit at the top of their box, level with the box beside them.
  label->setAlignment(alignment | Qt::AlignTop);
  label->setAccessibleName(text);
  appearance::SetForeColour(*label, appearance::kTextColour);
  ScaledPlacement::PlaceLabel(*label, geometry);
  return label;
}

QComboBox* MakeBox(QWidget* parent, const QFont& font, const QRect& geometry,
                   const QString& name, const QString& tip) {
  auto* box = new QComboBox(parent);
  box->setFont(font);
  box->setGeometry(geometry);
  box->setAccessibleName(name);
  box->setToolTip(tip);
  box->setMaxVisibleItems(10);
  appearance::SetForeColour(*box, appearance::kTextColour);
  return box;
}

LineShape* MakeLine(QWidget* parent, const layout::TwipsLine& line, int width_px, Rgb colour,
                    const QString& name) {
  auto* shape = new LineShape(parent);
  shape->SetBorderWidth(width_px);
  shape->SetEnds(line.x1, line.y1, line.x2, line.y2);
  shape->SetBorderColor(colour);
  shape->setAccessibleName(name);
  return shape;
}

void NamePart(QWidget& widget, std::string_view part) {
  widget.setObjectName(ToQString(part));
  if (layout::IsDecoration(part)) accessibility::MarkDecoration(widget);
}

QPalette WindowPalette() {
  // A fixed light look, whatever the desktop's theme: the rate boxes and
  // labels speak through black and red text.
  QPalette palette = QApplication::style()->standardPalette();
  const QColor window = appearance::ToQColor(appearance::kWindowColour);
  const QColor text = appearance::ToQColor(appearance::kTextColour);
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Window, window);
    palette.setColor(group, QPalette::Button, window);
    palette.setColor(group, QPalette::Base, Qt::white);
    palette.setColor(group, QPalette::WindowText, text);
    palette.setColor(group, QPalette::ButtonText, text);
    palette.setColor(group, QPalette::Text, text);
  }
  return palette;
}


void PaintFrame(QPainter& painter, const QRect& rect, int width_px, const QColor& colour) {
  const int w = width_px;
  painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), w), colour);
  painter.fillRect(QRect(rect.left(), rect.bottom() + 1 - w, rect.width(), w), colour);
  painter.fillRect(QRect(rect.left(), rect.top(), w, rect.height()), colour);
  painter.fillRect(QRect(rect.right() + 1 - w, rect.top(), w, rect.height()), colour);
}

}  // namespace switchsim
