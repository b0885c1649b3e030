#include "window/marker_labels.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "window/appearance.h"
#include "form/form_logic.h"
#include "look/layout.h"
#include "look/line_pixels.h"
#include "form/margins.h"
#include "window/qt_text.h"

namespace switchsim {
namespace {

int Row(double y_twips) { return static_cast<int>(std::lround(y_twips / layout::kTwipsPerPixel)); }

}  // namespace

MarkerLabels::MarkerLabels(const FormLogic& form, QWidget* parent) : QWidget(parent), form_(form) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void MarkerLabels::SetPresentation(const Presentation& presentation) {
  presentation_ = presentation;
  update();
}

void MarkerLabels::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const double scale = presentation_.scale;
  const MarginText text = MarginTextFor(presentation_);
  painter.setFont(appearance::MarginFont(text, scale));
  const int line_height = ScaledPx(text.line_px, scale);
  const int leader = ScaledPx(layout::kLeaderPx, scale);
  // Rows of the form, as shown, from the strip's top.
  const auto shown_row = [&](double y_twips) { return ScaledPx(Row(y_twips), scale) - y(); };
  const QPen leader_pen(appearance::ToQColor(appearance::kAdditionLineColour),
                        std::max(1, ScaledPx(1, scale)));
  for (const MarkerLabel& label : LayOutMarkerLabels(
           form_.Markers(), text.line_px * layout::kTwipsPerPixel, text.unit)) {
    const int marker_row = shown_row(label.marker_y_twips);
    const int label_row = shown_row(label.label_y_twips);
    painter.setPen(leader_pen);
    painter.drawLine(0, marker_row, leader - 1, label_row);
    painter.setPen(appearance::ToQColor(appearance::kAdditionTextColour));
    const QRect box(leader + ScaledPx(1, scale), label_row - line_height / 2, width(), line_height);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, ToQString(label.text));
  }
}

}  // namespace switchsim
