#include "form_view.h"

#include <QScrollBar>

#include "appearance.h"

namespace switchsim {

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
}

}  // namespace switchsim
