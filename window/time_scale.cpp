#include "time_scale.h"

#include <QPainter>
#include <cmath>

#include "appearance.h"
#include "layout.h"
#include "line_pixels.h"
#include "margins.h"
#include "qt_text.h"

namespace switchsim {
TimeScale::TimeScale(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void TimeScale::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setFont(appearance::MarginFont());
  const int line_height = layout::kMarginLineHeightPx;
  const int tick_left = width() - layout::kTimeTickLengthPx;
  for (const TimeMark& mark : TimeScaleMarks()) {
    // The row a stroke at this time fills: the trace's frame, then one
    // pixel row per 15 twips.
    const int row = layout::kTraceBorderPx + TraceRow(mark.y_twips);
    painter.setPen(appearance::ToQColor(appearance::kAdditionLineColour));
    painter.drawLine(tick_left, row, width() - 1, row);
    QRect label(0, row - line_height / 2, tick_left - layout::kTimeLabelGapPx, line_height);
    label.moveTop(std::clamp(label.top(), 0, height() - line_height));
    painter.setPen(appearance::ToQColor(appearance::kAdditionTextColour));
    painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                     ToQString(mark.label) + QStringLiteral(" s"));
  }
}

}  // namespace switchsim
