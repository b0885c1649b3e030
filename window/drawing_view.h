#pragma once

#include <QWidget>

#include "pictures/drawing.h"

namespace switchsim {

/// Shows a drawing at its own size, 1 px of the drawing to 1 px of the
/// screen, so that a scroll area around it scrolls a drawing larger than
/// the window. Assistive technology hears the drawing's title as its name
/// and its description.
class DrawingView : public QWidget {
  Q_OBJECT

 public:
  explicit DrawingView(QWidget* parent = nullptr);

  /// Shows `drawing` (copied); the view takes the drawing's size.
  void SetDrawing(Drawing drawing);
  const Drawing& drawing() const { return drawing_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Drawing drawing_;
};

}  // namespace switchsim
