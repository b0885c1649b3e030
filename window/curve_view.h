#pragma once

#include <QWidget>

#include "explore/curve_layout.h"
#include "pictures/drawing.h"

namespace switchsim {

/// Shows a drawing as large as the widget allows, keeping its proportions,
/// and tells where the user pressed in the drawing's own px, with what (a
/// finger on a touch screen, or a mouse) and at what scale it is shown.
class CurveView : public QWidget {
  Q_OBJECT

 public:
  explicit CurveView(QWidget* parent = nullptr);

  /// Shows `drawing` (copied) and names the view after its title and description.
  void SetDrawing(Drawing drawing);
  const Drawing& drawing() const { return drawing_; }

  QSize sizeHint() const override;

 signals:
  /// A press on the drawing.
  void Pressed(const CurvePress& press);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  double Scale() const;

  Drawing drawing_;
};

}  // namespace switchsim
