#pragma once

#include <QImage>
#include <QWidget>

#include "constants.h"

namespace switchsim {

/// A drawing surface that keeps what was drawn on it. Strokes go into a
/// backing image at the screen's device pixel ratio; painting copies the
/// changed part of that image, so the content survives being covered, hidden
/// and shown without any stroke being drawn again.
///
/// Drawing coordinates are the surface's own scale, in twips: x runs from
/// ScaleLeft() to ScaleLeft() + ScaleWidth() across the drawing area inside
/// the frame, y from 0 down.
class TraceSurface : public QWidget {
  Q_OBJECT

 public:
  explicit TraceSurface(QWidget* parent = nullptr);

  /// Places the surface on its parent, in logical pixels, and starts it empty.
  void Place(const QRect& geometry);

  /// Clears the drawing area to the background colour.
  void Cls();
  /// Draws a segment from (x1, y1) to (x2, y2), in twips of the surface's
  /// scale, in the fore colour; one logical pixel thick. A horizontal segment
  /// fills the pixel row that holds its y, from x1 to x2.
  void Line(double x1, double y1, double x2, double y2);

  void SetForeColor(Rgb colour) { fore_colour_ = colour; }

  /// Width of the drawing area in twips of the surface's scale.
  float ScaleWidth() const;
  /// The x coordinate of the drawing area's left edge, in twips.
  float ScaleLeft() const { return scale_left_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QRect DrawingArea() const;
  void MatchDevicePixelRatio();
  void DrawFrame();

  QImage image_;
  Rgb fore_colour_ = kBlack;
  float scale_left_ = 0.0F;
};

}  // namespace switchsim
