#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "look/colours.h"

namespace switchsim {

/// One curve of a picture: its name in the legend, its colour, its formula
/// at each x of the picture (the line leaves the plot at its top where the
/// formula rises above it, and an infinite value is left out), and
/// how far its points stand aside from the x they belong to, in px, so that
/// curves that meet stay apart.
struct CurveSeries {
  std::string name;
  Rgb colour;
  double offset_px = 0.0;
  std::vector<double> formula;
};

/// A simulated point of a curve: its series, its x (an index into
/// CurveData::xs) and its value; none for a run whose value lies beyond
/// what was run (drawn hollow in a band above the plot).
struct CurvePoint {
  std::size_t series = 0;
  std::size_t x_index = 0;
  std::optional<double> y;
};

/// A numbered mark: where it stands, a ring (an overtake) or a square (a
/// least value) with the label its number carries, and the line that lists
/// it. Its texts, as every text of CurveData, are in the language in use.
struct CurveMark {
  enum class Shape { Ring, Square };
  double x = 0.0;
  double y = 0.0;
  Shape shape = Shape::Ring;
  std::string label;  // the number's label, "{0}" the number: "{0}" or "{0} least"
  std::string text;   // "Circuit overtakes Message at ..."
};

/// A limit along x drawn across the plot as a dashed line, with its legend.
struct CurveLimit {
  double x = 0.0;
  std::string legend;  // "circuits serve 10 users"
};

/// What a picture of curves shows, whatever was run to make it: the x
/// values in increasing order, the curves, the simulated points in the order
/// a pick names them, the marks and the texts around them. CurveLayout lays
/// it out.
struct CurveData {
  std::string title;
  std::string context;  // what the runs keep, under the title
  std::string x_title;
  std::string y_title;
  std::vector<double> xs;
  std::vector<CurveSeries> series;
  std::vector<CurvePoint> points;
  std::vector<CurveMark> marks;
  std::optional<CurveLimit> limit;
  /// With a value: points without a y go in a band above the plot that
  /// says this ("> 15 s"), values above `y_cap` are not shown, and the
  /// legend names both; without, every point has its y.
  std::optional<std::string> band;
  std::string band_legend;  // "not delivered in 15 s"
  double y_cap = 0.0;
  /// The y axis reaches at least this high.
  double least_top = 1.0;
  /// Whether the legend shows the ring of an overtake.
  bool overtakes = false;
};

}  // namespace switchsim
