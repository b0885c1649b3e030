#include "window/form_view.h"

#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "window/appearance.h"
#include "look/layout.h"
#include "look/line_pixels.h"

namespace switchsim {
namespace {

inline constexpr double kTextScaleSteps = 8.0;  // a step of the text's scale at Fit is 1/8

}  // namespace

FormView::FormView(Form1* form, QWidget* parent) : QScrollArea(parent), form_(*form) {
  setFrameShape(QFrame::NoFrame);
  setAlignment(Qt::AlignCenter);
  setWidgetResizable(false);
  QPalette around = palette();
  around.setColor(QPalette::Window, appearance::ToQColor(appearance::kWindowColour));
  viewport()->setPalette(around);
  viewport()->setBackgroundRole(QPalette::Window);
  viewport()->setAutoFillBackground(true);
  setWidget(form);
  // The scroll area takes the focus only to give it to the form's controls.
  setFocusPolicy(Qt::NoFocus);
}

void FormView::SetZoom(const Zoom& zoom) {
  zoom_ = zoom;
  // A zoom that fits the space never needs to scroll.
  const Qt::ScrollBarPolicy bars =
      zoom.kind == Zoom::Kind::Percent ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  setHorizontalScrollBarPolicy(bars);
  setVerticalScrollBarPolicy(bars);
  Show();
}

void FormView::SetProjector(bool projector) {
  projector_ = projector;
  Show();
}

QSize FormView::sizeHint() const { return form_.size(); }

QSize FormView::WantedSize() const {
  const QSize own(layout::Px(layout::kClientWidth), layout::Px(layout::kClientHeight));
  switch (zoom_.kind) {
    case Zoom::Kind::Percent: {
      const double scale = zoom_.percent / 100.0;
      return {ScaledPx(own.width(), scale), ScaledPx(own.height(), scale)};
    }
    case Zoom::Kind::Fit:
      return form_.size();
    case Zoom::Kind::Auto:
      break;
  }
  return own;
}

double FormView::TextScale() const {
  switch (zoom_.kind) {
    case Zoom::Kind::Percent:
      return zoom_.percent / 100.0;
    case Zoom::Kind::Fit: {
      // The height alone: the panels take the width, and their text must
      // not take the form's scale from them in turn.
      // In steps of an eighth, so that a window being resized does not
      // lay the panels out again at every pixel.
      const double own_height = layout::Px(layout::kClientHeight);
      const double steps = std::floor(viewport()->height() / own_height * kTextScaleSteps);
      return isVisible() ? std::max(1.0, steps / kTextScaleSteps) : 1.0;
    }
    case Zoom::Kind::Auto:
      break;
  }
  return 1.0;
}

void FormView::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  if (zoom_.kind != Zoom::Kind::Percent) Show();
}

void FormView::showEvent(QShowEvent* event) {
  QScrollArea::showEvent(event);
  if (zoom_.kind != Zoom::Kind::Percent) Show();
}

void FormView::Show() {
  // Until it is shown the area has no size of its own: the form keeps its own.
  const QSize space = isVisible() ? viewport()->size() : QSize();
  const double scale = ShownScale(zoom_, space.width(), space.height());
  form_.SetPresentation({scale, projector_});
  updateGeometry();
  const double text_scale = TextScale();
  if (text_scale != text_scale_ || projector_ != text_projector_) {
    text_scale_ = text_scale;
    text_projector_ = projector_;
    emit TextChanged();
  }
}

}  // namespace switchsim
