#include "focus_ring.h"

#include <QApplication>
#include <QPainter>

#include "appearance.h"

namespace switchsim {
namespace {

constexpr int kRingPx = 2;  // px: the ring's width
constexpr int kGapPx = 1;   // px between a control and its ring

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
  const int margin = kRingPx + kGapPx;
  setGeometry(control->geometry().adjusted(-margin, -margin, margin, margin));
  raise();
  show();
}

void FocusRing::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QColor colour = appearance::ToQColor(appearance::kFocusColour);
  const QRect all = rect();
  painter.fillRect(QRect(0, 0, all.width(), kRingPx), colour);
  painter.fillRect(QRect(0, all.height() - kRingPx, all.width(), kRingPx), colour);
  painter.fillRect(QRect(0, 0, kRingPx, all.height()), colour);
  painter.fillRect(QRect(all.width() - kRingPx, 0, kRingPx, all.height()), colour);
}

}  // namespace switchsim
