#pragma once

#include <QWidget>

#include "simulation/constants.h"

namespace switchsim {

/// A rectangle outline, one pixel of the form wide (as many shown pixels as
/// the form's scale makes of one), drawn on its parent window just inside
/// its geometry; what lies under it shows through.
class RectangleShape : public QWidget {
  Q_OBJECT

 public:
  explicit RectangleShape(QWidget* parent = nullptr);

  void SetBorderColor(Rgb colour);
  /// Draws the outline for the form shown at `scale`; the form places the shape.
  void SetScale(double scale);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Rgb colour_ = kBlack;
  int width_px_ = 1;  // shown pixels
};

}  // namespace switchsim
