#pragma once

#include <QWidget>

#include "drawing.h"

namespace switchsim {

/// Shows a drawing as large as the widget allows, keeping its proportions,
/// and tells where the user clicked in the drawing's own px.
class CurveView : public QWidget {
  Q_OBJECT

 public:
  explicit CurveView(QWidget* parent = nullptr);

  /// Shows `drawing` (copied) and names the view after its title and description.
  void SetDrawing(Drawing drawing);
  const Drawing& drawing() const { return drawing_; }

  QSize sizeHint() const override;

 signals:
  /// A click at (x, y), in px of the drawing.
  void Clicked(double x, double y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  double Scale() const;

  Drawing drawing_;
};

}  // namespace switchsim
