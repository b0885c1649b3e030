#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "pictures/drawing.h"
#include "look/nice_ticks.h"
#include "explore/curve_data.h"
#include "explore/sweep.h"

namespace switchsim {

/// What presses on the curves: a finger, wide and seldom exact, or a mouse.
enum class Pointer { Mouse, Touch };

/// How wide a press's target is on the screen (CSS px on a page, device-
/// independent px in a window), whatever the scale the curves are shown at.
inline constexpr double kTouchTargetPx = 44.0;
inline constexpr double kMouseTargetPx = 12.0;

/// A press on the curves: where, in px of the drawing, by what, and how many
/// px of the screen one px of the drawing is shown at.
struct CurvePress {
  DrawPoint at;
  Pointer pointer = Pointer::Mouse;
  double shown_scale = 1.0;
};

/// What a press picks: a run's point, a mark, or nothing.
struct CurvePick {
  enum class Kind { Nothing, Run, Mark };
  Kind kind = Kind::Nothing;
  std::size_t index = 0;  // into Sweep::runs() for a run, CurveLayout::marks() for a mark
};

/// A technique's colour in a curve: message green, circuit blue, packet
/// orange, as the form's markers.
Rgb CurveColour(int technique);

/// The picture of a sweep: axes with round ticks and their titles, per
/// technique the simulated points of every seed and the formula as a line,
/// a legend, runs whose data was not all delivered within 15 s as hollow
/// points in a band above the plot, the overtakes and the optimal packet
/// size marked and listed, a title and a description, its texts and
/// numbers as a person of the language in use reads them. The runs' points are
/// the drawing's first circles, in the order of the runs. Laid out once
/// from the runs made so far; it keeps nothing of the sweep.
class CurveLayout {
 public:
  /// The plot in px. The y axis runs from `bottom_ms` at `bottom` to
  /// `top_ms` at `top` (round values about the least and the most shown,
  /// from 0 only when the least is near it), the x axis from `x_low` at
  /// `left` to `x_high` at `right`, inset by a few px so that points on the
  /// ends stay inside.
  struct Plot {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double band_top = 0.0;     // the band of runs not delivered within 15 s
    double band_bottom = 0.0;
    double x_low = 0.0;
    double x_high = 0.0;
    double bottom_ms = 0.0;
    double top_ms = 0.0;
  };

  /// Where a run's point is drawn.
  struct PlacedPoint {
    std::size_t run = 0;  // index into CurveData::points, which for a sweep are Sweep::runs()
    DrawPoint at;
    bool delivered = true;  // false: in the band above the plot
  };

  /// A mark drawn in the plot (an overtake or the least packet formula),
  /// its number standing clear of the points.
  struct PlacedMark {
    DrawPoint at;
    double reach = 0.0;       // px from `at` that its ring or square covers
    std::size_t number = 0;  // as listed under the plot, from 1
  };

  explicit CurveLayout(const Sweep& sweep);
  /// Lays out any curves; `data.xs` is never empty.
  explicit CurveLayout(const CurveData& data);

  const Drawing& drawing() const { return drawing_; }
  const Plot& plot() const { return plot_; }
  const std::vector<PlacedPoint>& points() const { return points_; }
  const std::vector<PlacedMark>& marks() const { return marks_; }
  /// What mark `mark` (an index into marks()) says, in the language in use:
  /// "Mark 2: Circuit overtakes Message at ...".
  std::string MarkSaid(std::size_t mark) const;

  /// What `press` picks: a mark when it is on the mark's own ring or square
  /// (never the point under it); otherwise the point nearest to it within
  /// the pointer's target, kTouchTargetPx or kMouseTargetPx across on the
  /// screen (at least the point as drawn); else the nearest mark within it.
  CurvePick Pick(const CurvePress& press) const;

 private:
  double PxX(double x) const;
  double PxY(double ms) const;
  void SetScales(const CurveData& data);
  void AddAxes(const CurveData& data);
  void AddFormulas(const CurveData& data);
  void AddPoints(const CurveData& data);
  void AddMarks(const CurveData& data);
  void AddMarkLabels(const std::vector<std::string>& labels);
  void AddLegend(const CurveData& data);
  void WidenForTexts();
  void AddLimit(const CurveData& data);
  void AddText(DrawPoint at, std::string text, double size, TextAlign align = TextAlign::Start,
               bool bold = false, double rotation = 0.0);

  Drawing drawing_;
  Plot plot_;
  NiceAxis y_axis_;
  std::vector<PlacedPoint> points_;
  std::vector<PlacedMark> marks_;
  std::vector<std::string> mark_texts_;  // MarkTexts(), by number from 1
};

}  // namespace switchsim
