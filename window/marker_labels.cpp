#include "marker_labels.h"

#include <QPainter>
#include <cmath>

#include "appearance.h"
#include "form_logic.h"
#include "layout.h"
#include "margins.h"
#include "qt_text.h"

namespace switchsim {
namespace {

int Row(double y_twips) { return static_cast<int>(std::lround(y_twips / layout::kTwipsPerPixel)); }

}  // namespace

MarkerLabels::MarkerLabels(const FormLogic& form, QWidget* parent) : QWidget(parent), form_(form) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void MarkerLabels::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setFont(appearance::MarginFont());
  const int line_height = layout::kMarginLineHeightPx;
  const int top = y();
  for (const MarkerLabel& label :
       LayOutMarkerLabels(form_.Markers(), line_height * layout::kTwipsPerPixel)) {
    const int marker_row = Row(label.marker_y_twips) - top;
    const int label_row = Row(label.label_y_twips) - top;
    painter.setPen(appearance::ToQColor(appearance::kAdditionLineColour));
    painter.drawLine(0, marker_row, layout::kLeaderPx - 1, label_row);
    painter.setPen(appearance::ToQColor(appearance::kAdditionTextColour));
    painter.drawText(QRect(layout::kLeaderPx + 1, label_row - line_height / 2, width(), line_height),
                     Qt::AlignLeft | Qt::AlignVCenter, ToQString(label.text));
  }
}

}  // namespace switchsim
