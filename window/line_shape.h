#pragma once

#include <QWidget>

#include "simulation/constants.h"

namespace switchsim {

/// A horizontal or vertical line drawn on its parent window, above the
/// window's background. End points are in twips of the parent's client area;
/// the line is its border width in pixels of the form thick, centred on
/// them, and all of it is shown at the form's scale.
class LineShape : public QWidget {
  Q_OBJECT

 public:
  explicit LineShape(QWidget* parent = nullptr);

  /// Moves both end points; the line must be horizontal or vertical.
  void SetEnds(double x1, double y1, double x2, double y2);
  /// Moves the line up or down: Y1 and Y2 both become `y` (twips).
  void SetY(double y);

  double Y1() const { return y1_; }
  double Y2() const { return y2_; }

  void SetBorderColor(Rgb colour);
  Rgb BorderColor() const { return colour_; }
  /// Thickness in pixels of the form (1 or more).
  void SetBorderWidth(int pixels);
  /// Shows the line at `scale` (1 as the form is built): its place, its
  /// thickness and its edge.
  void SetScale(double scale);
  /// Draws, or stops drawing, a one-pixel dark edge around the line, so
  /// that a pale colour shows on a pale background; the line keeps its
  /// colour and thickness inside the edge.
  void SetEdge(bool edge);
  bool HasEdge() const { return edge_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Place();

  double x1_ = 0.0;
  double y1_ = 0.0;
  double x2_ = 0.0;
  double y2_ = 0.0;
  Rgb colour_ = kBlack;
  int width_px_ = 1;
  bool edge_ = false;
  double scale_ = 1.0;
  QRect inside_;  // the line within its edge, in the widget's own pixels
};

}  // namespace switchsim
