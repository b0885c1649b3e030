#include "window/fitted_label.h"

namespace switchsim {

FittedLabel::FittedLabel(QWidget* parent) : QLabel(parent) {
  setWordWrap(true);
  setTextFormat(Qt::PlainText);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

int FittedLabel::FittedHeight() const {
  // Before its first layout it has no width of its own: one line, as a label asks.
  return width() > 0 ? QLabel::heightForWidth(width()) : QLabel::sizeHint().height();
}

QSize FittedLabel::sizeHint() const { return {QLabel::sizeHint().width(), FittedHeight()}; }

QSize FittedLabel::minimumSizeHint() const { return {QLabel::minimumSizeHint().width(), FittedHeight()}; }

void FittedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  const int fitted = FittedHeight();
  if (fitted != asked_height_) {
    asked_height_ = fitted;
    updateGeometry();
  }
}

}  // namespace switchsim
