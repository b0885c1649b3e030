#include "explore/curve_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "look/colours.h"
#include "simulation/constants.h"
#include "explore/curve_labels.h"
#include "pictures/text_fitting.h"
#include "explore/curve_marks.h"
#include "explore/sweep_curve.h"
#include "simulation/numbers.h"
#include "text/translation.h"

namespace switchsim {
namespace {

inline constexpr double kWidthPx = 780.0;
inline constexpr double kPlotLeftPx = 80.0;
inline constexpr double kPlotRightPx = 580.0;
inline constexpr double kBandTopPx = 64.0;
inline constexpr double kBandHeightPx = 18.0;
inline constexpr double kPlotTopPx = 92.0;
inline constexpr double kPlotBottomPx = 420.0;
inline constexpr double kInsetPx = 8.0;        // between the plot's frame and its outermost x values
inline constexpr double kLineHeightPx = 16.0;  // a line of the marks' list
inline constexpr double kPointRadiusPx = 3.0;
inline constexpr double kMarkRadiusPx = 6.0;
inline constexpr double kSquareReachPx = 5.0;  // half the least packet formula's square
inline constexpr double kClearPx = 1.0;        // kept between a label and a point
inline constexpr int kMostListedMarks = 6;
inline constexpr int kWantedTicks = 6;
inline constexpr Rgb kAxisColour = MakeRgb(64, 64, 64);
inline constexpr Rgb kGridColour = MakeRgb(225, 225, 225);
inline constexpr Rgb kBandColour = MakeRgb(245, 245, 245);

std::string TickText(double value) { return PeopleNumber(ShortestText(std::round(value * 1e6) / 1e6)); }

}  // namespace

Rgb CurveColour(int technique) { return kTechniques.at(static_cast<std::size_t>(technique)).colour; }

CurveLayout::CurveLayout(const Sweep& sweep) : CurveLayout(SweepCurveData(sweep)) {}

CurveLayout::CurveLayout(const CurveData& data) {
  for (const CurveMark& mark : data.marks) mark_texts_.push_back(mark.text);
  const std::vector<std::string>& marks = mark_texts_;
  const auto listed = std::min<std::size_t>(marks.size(), kMostListedMarks + 1);
  drawing_.width = kWidthPx;
  drawing_.height = kPlotBottomPx + 64 + kLineHeightPx * static_cast<double>(listed);
  drawing_.title = data.title;
  drawing_.description = data.context + ".";
  if (data.limit) drawing_.description += " " + Fill(Tr("A dashed line: {0}."), {data.limit->legend});
  for (const std::string& mark : marks) drawing_.description += " " + mark + ".";
  SetScales(data);
  AddAxes(data);
  AddLimit(data);
  AddFormulas(data);
  AddPoints(data);
  AddMarks(data);
  AddLegend(data);
  AddText({kPlotLeftPx - 60, 24}, drawing_.title, 16, TextAlign::Start, true);
  AddText({kPlotLeftPx - 60, 44}, data.context, 11);
  double y = kPlotBottomPx + 68;
  for (std::size_t i = 0; i < listed; ++i, y += kLineHeightPx) {
    const bool more = i == kMostListedMarks;
    AddText({kPlotLeftPx - 60, y},
            more ? Fill(TrN("and {0} more (see the table)", "and {0} more (see the table)",
                            static_cast<long long>(marks.size() - i)),
                        {std::to_string(marks.size() - i)})
                 : std::to_string(i + 1) + "  " + marks[i],
            11);
  }
  WidenForTexts();
}

void CurveLayout::WidenForTexts() {
  // In English the curve keeps its width, as it always had; another
  // language's longer legend widens it rather than running past its edge.
  if (EnglishInUse()) return;
  drawing_.width = std::max(drawing_.width, TextsReach(drawing_).right + 4);
}

void CurveLayout::SetScales(const CurveData& data) {
  const std::vector<double>& xs = data.xs;
  plot_ = Plot{kPlotLeftPx, kPlotTopPx, kPlotRightPx, kPlotBottomPx, kBandTopPx, kBandTopPx + kBandHeightPx,
               xs.empty() ? 0.0 : xs.front(), xs.empty() ? 0.0 : xs.back()};
  if (plot_.x_high <= plot_.x_low) {
    plot_.x_low -= 1;
    plot_.x_high += 1;
  }
  // The axis holds what is shown: the points and the formulas, up to the cap where a band holds the rest.
  const bool capped = data.band.has_value();
  double least = capped ? data.y_cap : std::numeric_limits<double>::infinity();
  double most = 0.0;
  const auto take = [&](double y) {
    least = std::min(least, y);
    most = std::max(most, y);
  };
  for (const CurvePoint& point : data.points) {
    if (point.y) take(*point.y);
  }
  for (const CurveSeries& series : data.series) {
    for (const double y : series.formula) {
      if (std::isfinite(y)) take(capped ? std::min(y, data.y_cap) : y);
    }
  }
  if (!std::isfinite(least)) least = 0.0;
  y_axis_ = NiceAxisAround(std::max(least, 0.0), std::max(most, data.least_top), kWantedTicks);
  plot_.bottom_ms = y_axis_.low;
  plot_.top_ms = y_axis_.high;
}

double CurveLayout::PxX(double x) const {
  const double share = (x - plot_.x_low) / (plot_.x_high - plot_.x_low);
  return plot_.left + kInsetPx + share * (plot_.right - plot_.left - 2 * kInsetPx);
}

double CurveLayout::PxY(double ms) const {
  return plot_.bottom - (ms - plot_.bottom_ms) / (plot_.top_ms - plot_.bottom_ms) * (plot_.bottom - plot_.top);
}

void CurveLayout::AddAxes(const CurveData& data) {
  auto& items = drawing_.items;
  if (data.band) {
    items.emplace_back(DrawRect{plot_.left, plot_.band_top, plot_.right - plot_.left, kBandHeightPx, true,
                                kBandColour, false, {}});
    AddText({plot_.left - 6, plot_.band_bottom - 5}, *data.band, 11, TextAlign::End);
  }
  for (const double ms : y_axis_.Ticks()) {
    const double y = std::round(PxY(ms)) + 0.5;
    items.emplace_back(DrawLine{{plot_.left, y}, {plot_.right, y}, Pen{kGridColour, 1, false}});
    AddText({plot_.left - 6, y + 4}, TickText(ms), 11, TextAlign::End);
  }
  for (const double x : NiceTicks(plot_.x_low, plot_.x_high, kWantedTicks)) {
    const double px = std::round(PxX(x)) + 0.5;
    items.emplace_back(DrawLine{{px, plot_.bottom}, {px, plot_.bottom + 5}, Pen{kAxisColour, 1, false}});
    AddText({px, plot_.bottom + 18}, TickText(x), 11, TextAlign::Middle);
  }
  items.emplace_back(DrawRect{plot_.left + 0.5, plot_.top + 0.5, plot_.right - plot_.left,
                              plot_.bottom - plot_.top, false, kBlack, true, Pen{kAxisColour, 1, false}});
  AddText({(plot_.left + plot_.right) / 2, plot_.bottom + 40}, data.x_title, 12, TextAlign::Middle);
  AddText({plot_.left - 52, (plot_.top + plot_.bottom) / 2}, data.y_title, 12, TextAlign::Middle, false, -90);
}

void CurveLayout::AddLimit(const CurveData& data) {
  if (!data.limit || data.limit->x < plot_.x_low || data.limit->x > plot_.x_high) return;
  const double px = std::round(PxX(data.limit->x)) + 0.5;
  drawing_.items.emplace_back(DrawLine{{px, plot_.top}, {px, plot_.bottom}, Pen{kAxisColour, 1.5, true}});
}

void CurveLayout::AddFormulas(const CurveData& data) {
  const std::vector<double>& xs = data.xs;
  for (const CurveSeries& series : data.series) {
    const Pen pen{series.colour, 1.5, false};
    DrawPolyline line{{}, pen};
    const auto flush = [&] {
      if (line.points.size() > 1) drawing_.items.emplace_back(line);
      line.points.clear();
    };
    for (std::size_t i = 0; i < xs.size(); ++i) {
      const double y = series.formula.at(i);
      const bool inside = y <= plot_.top_ms;
      if (i > 0) {
        // Where the line leaves or enters the plot at its top.
        const double before = series.formula[i - 1];
        if (inside != (before <= plot_.top_ms)) {
          const double share = (plot_.top_ms - before) / (y - before);
          line.points.push_back({PxX(xs[i - 1] + share * (xs[i] - xs[i - 1])), plot_.top});
          if (!inside) flush();
        }
      }
      if (inside) line.points.push_back({PxX(xs[i]), PxY(y)});
    }
    flush();
  }
}

void CurveLayout::AddPoints(const CurveData& data) {
  for (std::size_t r = 0; r < data.points.size(); ++r) {
    const CurvePoint& point = data.points[r];
    const CurveSeries& series = data.series.at(point.series);
    const double x = PxX(data.xs.at(point.x_index)) + series.offset_px;
    const bool delivered = point.y.has_value();
    const double y = delivered ? PxY(*point.y) : (plot_.band_top + plot_.band_bottom) / 2;
    points_.push_back(PlacedPoint{r, {x, y}, delivered});
    drawing_.items.emplace_back(
        DrawCircle{{x, y}, kPointRadiusPx, delivered, series.colour, !delivered, Pen{series.colour, 1, false}});
  }
}

void CurveLayout::AddMarks(const CurveData& data) {
  std::vector<std::string> labels;  // "2", or "3 least" for the least packet formula
  for (std::size_t m = 0; m < data.marks.size(); ++m) {
    const CurveMark& mark = data.marks[m];
    const std::size_t number = m + 1;
    const bool ring = mark.shape == CurveMark::Shape::Ring;
    if (mark.y > plot_.top_ms || (ring && number > kMostListedMarks)) continue;
    const DrawPoint at{PxX(mark.x), PxY(mark.y)};
    const double reach = ring ? kMarkRadiusPx : kSquareReachPx;
    if (ring) {
      drawing_.items.emplace_back(DrawCircle{at, kMarkRadiusPx, false, kBlack, true, Pen{kBlack, 1.5, false}});
    } else {
      drawing_.items.emplace_back(DrawRect{at.x - kSquareReachPx, at.y - kSquareReachPx, 2 * kSquareReachPx,
                                           2 * kSquareReachPx, false, kBlack, true, Pen{kBlack, 1.5, false}});
    }
    marks_.push_back({at, reach, number});
    labels.push_back(Fill(mark.label, {std::to_string(number)}));
  }
  AddMarkLabels(labels);
}

void CurveLayout::AddMarkLabels(const std::vector<std::string>& labels) {
  // Each number stands clear of every point, every mark and the numbers before it.
  std::vector<Box> taken;
  for (const PlacedPoint& point : points_) taken.push_back(BoxAround(point.at, kPointRadiusPx + kClearPx));
  for (const PlacedMark& mark : marks_) taken.push_back(BoxAround(mark.at, mark.reach));
  const Box inside{plot_.left + 1, plot_.top + 1, plot_.right - 1, plot_.bottom - 1};
  for (std::size_t m = 0; m < marks_.size(); ++m) {
    DrawText label{{}, labels[m], kBlack, 11, TextAlign::Start, true, 0.0};
    const Box ink = TextBox(label);
    const Box box = PlaceLabel(marks_[m].at, marks_[m].reach, ink.right - ink.left, ink.bottom - ink.top, inside,
                               taken);
    label.at = {box.left, box.top + (label.at.y - ink.top)};
    taken.push_back(box);
    drawing_.items.emplace_back(std::move(label));
  }
}

void CurveLayout::AddLegend(const CurveData& data) {
  const double left = plot_.right + 20;
  double y = plot_.top + 6;
  for (const CurveSeries& series : data.series) {
    drawing_.items.emplace_back(DrawLine{{left, y}, {left + 24, y}, Pen{series.colour, 1.5, false}});
    drawing_.items.emplace_back(DrawCircle{{left + 12, y}, kPointRadiusPx, true, series.colour, false, {}});
    AddText({left + 32, y + 4}, series.name, 12);
    y += 20;
  }
  y += 8;
  drawing_.items.emplace_back(DrawCircle{{left + 12, y}, kPointRadiusPx, true, kAxisColour, false, {}});
  AddText({left + 32, y + 4}, Tr("simulated, each seed"), 11);
  y += 18;
  drawing_.items.emplace_back(DrawLine{{left, y}, {left + 24, y}, Pen{kAxisColour, 1.5, false}});
  AddText({left + 32, y + 4}, Tr("formula"), 11);
  if (data.band) {
    y += 18;
    drawing_.items.emplace_back(
        DrawCircle{{left + 12, y}, kPointRadiusPx, false, kBlack, true, Pen{kAxisColour, 1, false}});
    AddText({left + 32, y + 4}, data.band_legend, 11);
  }
  if (data.overtakes) {
    y += 18;
    drawing_.items.emplace_back(
        DrawCircle{{left + 12, y}, kMarkRadiusPx, false, kBlack, true, Pen{kBlack, 1.5, false}});
    AddText({left + 32, y + 4}, Tr("overtake"), 11);
  }
  if (data.limit) {
    y += 18;
    drawing_.items.emplace_back(DrawLine{{left, y}, {left + 24, y}, Pen{kAxisColour, 1.5, true}});
    AddText({left + 32, y + 4}, data.limit->legend, 11);
  }
}

void CurveLayout::AddText(DrawPoint at, std::string text, double size, TextAlign align, bool bold,
                          double rotation) {
  drawing_.items.emplace_back(DrawText{at, std::move(text), kBlack, size, align, bold, rotation});
}

std::string CurveLayout::MarkSaid(std::size_t mark) const {
  const std::size_t number = marks_.at(mark).number;
  return Fill(Tr("Mark {0}: {1}"), {std::to_string(number), mark_texts_.at(number - 1)});
}

CurvePick CurveLayout::Pick(const CurvePress& press) const {
  const auto off = [&](DrawPoint at) { return DrawPoint{at.x - press.at.x, at.y - press.at.y}; };
  for (std::size_t m = 0; m < marks_.size(); ++m) {
    const DrawPoint d = off(marks_[m].at);
    if (std::max(std::abs(d.x), std::abs(d.y)) <= marks_[m].reach + kClearPx) return {CurvePick::Kind::Mark, m};
  }
  const double scale = press.shown_scale > 0.0 ? press.shown_scale : 1.0;
  const double target = press.pointer == Pointer::Touch ? kTouchTargetPx : kMouseTargetPx;
  const double reach = std::max(target / 2 / scale, kPointRadiusPx + kClearPx);
  CurvePick pick;
  double nearest = reach * reach;  // squared, as the distances
  const auto take = [&](DrawPoint at, CurvePick candidate) {
    const DrawPoint d = off(at);
    if (d.x * d.x + d.y * d.y > nearest) return;
    nearest = d.x * d.x + d.y * d.y;
    pick = candidate;
  };
  for (const PlacedPoint& point : points_) take(point.at, {CurvePick::Kind::Run, point.run});
  if (pick.kind == CurvePick::Kind::Run) return pick;
  for (std::size_t m = 0; m < marks_.size(); ++m) take(marks_[m].at, {CurvePick::Kind::Mark, m});
  return pick;
}

}  // namespace switchsim
