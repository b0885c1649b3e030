#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "drawing.h"
#include "sweep.h"

namespace switchsim {

/// A technique's colour in a curve: message green, circuit blue, packet
/// orange, as the form's markers.
Rgb CurveColour(int technique);

/// The picture of a sweep: axes with round ticks and their titles, per
/// technique the simulated points of every seed and the formula as a line,
/// a legend, runs whose data was not all delivered within 15 s as hollow
/// points in a band above the plot, the overtakes and the optimal packet
/// size marked and listed, a title and a description. Laid out once from
/// the runs made so far; it keeps nothing of the sweep.
class CurveLayout {
 public:
  /// The plot in px. The y axis runs from 0 ms at `bottom` to `top_ms` at
  /// `top`, the x axis from `x_low` at `left` to `x_high` at `right`, inset
  /// by a few px so that points on the ends stay inside.
  struct Plot {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double band_top = 0.0;     // the band of runs not delivered within 15 s
    double band_bottom = 0.0;
    double x_low = 0.0;
    double x_high = 0.0;
    double top_ms = 0.0;
  };

  /// Where a run's point is drawn.
  struct PlacedPoint {
    std::size_t run = 0;  // index into Sweep::runs()
    DrawPoint at;
    bool delivered = true;  // false: in the band above the plot
  };

  explicit CurveLayout(const Sweep& sweep);

  const Drawing& drawing() const { return drawing_; }
  const Plot& plot() const { return plot_; }
  const std::vector<PlacedPoint>& points() const { return points_; }

  /// The run whose point is nearest to (x, y) px, if one is within a few px.
  std::optional<std::size_t> RunAt(double x, double y) const;

 private:
  double PxX(double x) const;
  double PxY(double ms) const;
  void SetScales(const Sweep& sweep);
  void AddAxes(const Sweep& sweep);
  void AddFormulas(const Sweep& sweep);
  void AddPoints(const Sweep& sweep);
  void AddMarks(const Sweep& sweep);
  void AddLegend();
  void AddText(DrawPoint at, std::string text, double size, TextAlign align = TextAlign::Start,
               bool bold = false, double rotation = 0.0);

  Drawing drawing_;
  Plot plot_;
  std::vector<PlacedPoint> points_;
};

}  // namespace switchsim
