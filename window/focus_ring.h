#pragma once

#include <QWidget>

namespace switchsim {

/// A ring two pixels wide in the focus colour around whichever control of
/// its parent has the keyboard focus, drawn over the form so that every
/// control, whatever the style draws of its own, shows where the keys go.
/// It lets the mouse through and follows the focus by itself, once switched on.
class FocusRing : public QWidget {
  Q_OBJECT

 public:
  /// Starts switched off.
  explicit FocusRing(QWidget* parent);

  void SetOn(bool on);
  bool IsOn() const { return on_; }
  /// Draws the ring, and its gap, for the form shown at `scale`.
  void SetScale(double scale);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Follow(QWidget* focused);

  bool on_ = false;
  int ring_px_ = 2;  // shown pixels
  int gap_px_ = 1;
};

}  // namespace switchsim
