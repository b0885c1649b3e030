#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "simulation/constants.h"

namespace switchsim {

/// A drawing surface that keeps what was drawn on it. Strokes go into a
/// backing image at the density the surface is shown at (the screen's device
/// pixel ratio times the form's scale); painting copies the changed part of
/// that image, so the content survives being covered, hidden and shown
/// without any stroke being drawn again. It also keeps the list of strokes
/// since the last Cls(), and draws them again, sharp, when the density changes.
///
/// Drawing coordinates are the surface's own scale, in twips: x runs from
/// ScaleLeft() to ScaleLeft() + ScaleWidth() across the drawing area inside
/// the frame, y from 0 down. They do not change with the scale it is shown at.
class TraceSurface : public QWidget {
  Q_OBJECT

 public:
  explicit TraceSurface(QWidget* parent = nullptr);

  /// Places the surface on its parent, in pixels of the form, and starts it empty.
  void Place(const QRect& geometry);
  /// Shows the surface at `scale` (1 as placed), each stroke filling
  /// `stroke_rows` rows of the form down from its own; what was drawn is
  /// drawn again at the new density.
  void SetScale(double scale, int stroke_rows);

  /// Clears the drawing area to the background colour.
  void Cls();
  /// Draws a segment from (x1, y1) to (x2, y2), in twips of the surface's
  /// scale, in the fore colour. A horizontal segment fills the pixel rows
  /// from the row that holds its y (the stroke's rows), from x1 to x2: as
  /// shown, exactly the device pixels between round(row × k) and
  /// round((row + rows) × k), k being device pixels per pixel of the form.
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
  struct Stroke {
    double x1, y1, x2, y2;  // twips
    Rgb colour;
  };

  QRect DrawingArea() const;
  int DevicePx(double form_px) const;
  void Rebuild();
  QRect DrawStroke(const Stroke& stroke);

  QRect form_geometry_;   // px of the form
  double scale_ = 1.0;
  int stroke_rows_ = 1;
  double density_ = 1.0;  // device pixels of the image per pixel of the form
  QRect device_area_;     // the drawing area in the image's pixels
  QImage image_;
  std::vector<Stroke> strokes_;  // since the last Cls()
  Rgb fore_colour_ = kBlack;
  float scale_left_ = 0.0F;
};

}  // namespace switchsim
