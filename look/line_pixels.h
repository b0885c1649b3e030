#pragma once

namespace switchsim {

/// A rectangle in logical pixels.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

/// The pixels that a horizontal or vertical line `width_px` thick covers,
/// from its ends in twips: both end pixels belong to the line, and the
/// thickness spreads evenly about it.
PixelRect LinePixels(double x1, double y1, double x2, double y2, int width_px);

/// The pixel row of a trace's drawing area that a stroke at `y_twips` fills.
int TraceRow(double y_twips);

/// Where an edge `px` pixels of the form from an origin lies when the form is
/// shown at `scale` (pixels shown per pixel of the form): the nearest whole
/// pixel, so that parts that meet at scale 1 meet at every scale.
int ScaledPx(double px, double scale);
/// A rectangle of the form's pixels as shown at `scale`: each edge scaled
/// on its own, so that rectangles that meet at scale 1 still meet.
PixelRect ScaledPixels(const PixelRect& rect, double scale);

}  // namespace switchsim
