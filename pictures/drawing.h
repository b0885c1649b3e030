#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "simulation/constants.h"

namespace switchsim {

// A picture as a short list of drawing primitives, laid out once without a
// toolkit: each front end draws the list (QPainter, a page's canvas) and
// SvgText turns it into SVG. Coordinates are CSS pixels of the picture, x to
// the right and y down from its top left corner; a width of 1 px at a
// coordinate ending in .5 covers exactly one row or column of pixels.

/// A point of the picture, in px.
struct DrawPoint {
  double x = 0.0;
  double y = 0.0;
};

/// How a line is stroked: its colour, width in px and whether it is dashed
/// (dashes and gaps of 4 px).
struct Pen {
  Rgb colour = kBlack;
  double width = 1.0;
  bool dashed = false;
};

/// A straight segment.
struct DrawLine {
  DrawPoint from;
  DrawPoint to;
  Pen pen;
};

/// Segments joining `points` in order.
struct DrawPolyline {
  std::vector<DrawPoint> points;
  Pen pen;
};

/// A rectangle from (x, y), `width` by `height` px, filled and/or outlined.
struct DrawRect {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;
  bool filled = false;
  Rgb fill = kBlack;
  bool outlined = false;
  Pen pen;
};

/// A circle of `radius` px about `centre`, filled and/or outlined.
struct DrawCircle {
  DrawPoint centre;
  double radius = 0.0;
  bool filled = false;
  Rgb fill = kBlack;
  bool outlined = false;
  Pen pen;
};

/// Where a text stands against its anchor point.
enum class TextAlign { Start, Middle, End };

/// One line of plain text (never markup) whose baseline passes through `at`,
/// `size` px high, in the form's sans-serif face.
struct DrawText {
  DrawPoint at;
  std::string text;
  Rgb colour = kBlack;
  double size = 12.0;
  TextAlign align = TextAlign::Start;
  bool bold = false;
  double rotation = 0.0;  // degrees clockwise about `at`; -90 reads upwards
};

using DrawItem = std::variant<DrawLine, DrawPolyline, DrawRect, DrawCircle, DrawText>;

/// A rectangle filled with `colour`, not outlined.
inline DrawRect FilledRect(double x, double y, double width, double height, Rgb colour) {
  DrawRect r;
  r.x = x;
  r.y = y;
  r.width = width;
  r.height = height;
  r.filled = true;
  r.fill = colour;
  return r;
}

/// A line of text in `colour`, `size` px high, its baseline through (x, y).
inline DrawText TextAt(double x, double y, std::string text, Rgb colour, double size = 12.0,
                       TextAlign align = TextAlign::Start) {
  DrawText t;
  t.at = {x, y};
  t.text = std::move(text);
  t.colour = colour;
  t.size = size;
  t.align = align;
  return t;
}

/// A whole picture: its size in px, background, items in painting order, and
/// a title and description for those who cannot see it.
struct Drawing {
  double width = 0.0;
  double height = 0.0;
  Rgb background = MakeRgb(255, 255, 255);
  std::vector<DrawItem> items;
  std::string title;
  std::string description;
};

}  // namespace switchsim
