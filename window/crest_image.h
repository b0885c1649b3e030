#pragma once

#include <QWidget>

namespace switchsim {

/// The program's logo, 300 x 48 logical pixels: the four nodes joined by the
/// three links in the completion markers' colours, and the name "switchsim".
/// Drawn as vector graphics, so it stays sharp at any device pixel ratio and
/// at any size it is placed at: it fills its width, at its own proportions.
class CrestImage : public QWidget {
  Q_OBJECT

 public:
  explicit CrestImage(QWidget* parent = nullptr);

  /// Draws the logo into a `size` rectangle at the painter's origin.
  static void Draw(QPainter& painter, const QSize& size);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace switchsim
