#pragma once

#include <QLabel>
#include <QSize>
#include <QWidget>

namespace switchsim {

/// A plain, wrapped, selectable label, such as a status line, that asks
/// for the height its lines take at the width it has, rather than by its
/// height for a width: a layout inside tabs, which passes no height for a
/// width up to the window, then keeps room for every line, and the window
/// cannot shrink below them.
class FittedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit FittedLabel(QWidget* parent = nullptr);

  bool hasHeightForWidth() const override { return false; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int FittedHeight() const;

  int asked_height_ = 0;  // the height last asked for, in px
};

}  // namespace switchsim
