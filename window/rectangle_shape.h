#pragma once

#include <QWidget>

#include "constants.h"

namespace switchsim {

/// A rectangle outline, one logical pixel wide, drawn on its parent window
/// just inside its geometry; what lies under it shows through.
class RectangleShape : public QWidget {
  Q_OBJECT

 public:
  explicit RectangleShape(QWidget* parent = nullptr);

  void SetBorderColor(Rgb colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Rgb colour_ = kBlack;
};

}  // namespace switchsim
