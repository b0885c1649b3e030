#include "window/focus_ring.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

#include "window/appearance.h"
#include "window/form_widgets.h"
#include "look/line_pixels.h"

namespace switchsim {
namespace {

constexpr int kRingPx = 2;  // px of the form: the ring's width
constexpr int kGapPx = 1;   // px of the form between a control and its ring

}  // namespace

FocusRing::FocusRing(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget* /*old*/, QWidget* now) { Follow(now); });
}

void FocusRing::SetOn(bool on) {
  on_ = on;
  Follow(QApplication::focusWidget());
}

void FocusRing::SetScale(double scale) {
  ring_px_ = std::max(1, ScaledPx(kRingPx, scale));
  gap_px_ = std::max(1, ScaledPx(kGapPx, scale));
  Follow(QApplication::focusWidget());
}

void FocusRing::Follow(QWidget* focused) {
  // A box that takes typing gives the focus to its line of text: ring the box.
  QWidget* control = on_ ? focused : nullptr;
  while (control != nullptr && control->parentWidget() != parentWidget()) {
    control = control->parentWidget();
  }
  if (control == nullptr || control == this) {
    hide();
    return;
  }
  const int margin = ring_px_ + gap_px_;
  setGeometry(control->geometry().adjusted(-margin, -margin, margin, margin));
  raise();
  show();
}

void FocusRing::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintFrame(painter, rect(), ring_px_, appearance::ToQColor(appearance::kFocusColour));
}

}  // namespace switchsim
