#include "window/time_scale.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "window/appearance.h"
#include "look/layout.h"
#include "look/line_pixels.h"
#include "form/margins.h"
#include "window/qt_text.h"

namespace switchsim {
TimeScale::TimeScale(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void TimeScale::SetPresentation(const Presentation& presentation) {
  presentation_ = presentation;
  update();
}

void TimeScale::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const double scale = presentation_.scale;
  const MarginText text = MarginTextFor(presentation_);
  painter.setFont(appearance::MarginFont(text, scale));
  const int line_height = ScaledPx(text.line_px, scale);
  const int tick_width = std::max(1, ScaledPx(1, scale));
  const int tick_left = width() - ScaledPx(layout::kTimeTickLengthPx, scale);
  for (const TimeMark& mark : TimeScaleMarks()) {
    // The row a stroke at this time fills: the trace's frame, then one
    // pixel row per 15 twips.
    const int row = ScaledPx(layout::kTraceBorderPx + TraceRow(mark.y_twips), scale);
    painter.fillRect(QRect(tick_left, row, width() - tick_left, tick_width),
                     appearance::ToQColor(appearance::kAdditionLineColour));
    QRect label(0, row - line_height / 2, tick_left - ScaledPx(layout::kTimeLabelGapPx, scale),
                line_height);
    label.moveTop(std::clamp(label.top(), 0, height() - line_height));
    painter.setPen(appearance::ToQColor(appearance::kAdditionTextColour));
    painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                     ToQString(mark.label) + QStringLiteral(" s"));
  }
}

}  // namespace switchsim
