#include "explore/curve_layout.h"

#include <algorithm>
#include <cmath>

#include "look/colours.h"
#include "simulation/constants.h"
#include "explore/curve_labels.h"
#include "explore/curve_marks.h"
#include "simulation/numbers.h"
#include "explore/sweep_tables.h"

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
inline constexpr std::array<double, kTechniqueCount> kTechniqueOffsetPx = {-3.0, 0.0, 3.0};
inline constexpr Rgb kAxisColour = MakeRgb(64, 64, 64);
inline constexpr Rgb kGridColour = MakeRgb(225, 225, 225);
inline constexpr Rgb kBandColour = MakeRgb(245, 245, 245);

std::string TickText(double value) { return ShortestText(std::round(value * 1e6) / 1e6); }

}  // namespace

Rgb CurveColour(int technique) { return kTechniques.at(static_cast<std::size_t>(technique)).colour; }

CurveLayout::CurveLayout(const Sweep& sweep) : mark_texts_(MarkTexts(sweep)) {
  const std::vector<std::string>& marks = mark_texts_;
  const auto listed = std::min<std::size_t>(marks.size(), kMostListedMarks + 1);
  drawing_.width = kWidthPx;
  drawing_.height = kPlotBottomPx + 64 + kLineHeightPx * static_cast<double>(listed);
  drawing_.title = "Completion time against " + SweepAxisName(sweep.spec());
  drawing_.description = SweepContext(sweep) + ".";
  for (const std::string& mark : marks) drawing_.description += " " + mark + ".";
  SetScales(sweep);
  AddAxes(sweep);
  AddFormulas(sweep);
  AddPoints(sweep);
  AddMarks(sweep);
  AddLegend();
  AddText({kPlotLeftPx - 60, 24}, drawing_.title, 16, TextAlign::Start, true);
  AddText({kPlotLeftPx - 60, 44}, SweepContext(sweep), 11);
  double y = kPlotBottomPx + 68;
  for (std::size_t i = 0; i < listed; ++i, y += kLineHeightPx) {
    const bool more = i == kMostListedMarks;
    AddText({kPlotLeftPx - 60, y},
            more ? "and " + std::to_string(marks.size() - i) + " more (see the table)"
                 : std::to_string(i + 1) + "  " + marks[i],
            11);
  }
}

void CurveLayout::SetScales(const Sweep& sweep) {
  const std::vector<double>& xs = sweep.spec().values;
  plot_ = Plot{kPlotLeftPx, kPlotTopPx, kPlotRightPx, kPlotBottomPx, kBandTopPx, kBandTopPx + kBandHeightPx,
               xs.empty() ? 0.0 : xs.front(), xs.empty() ? 0.0 : xs.back()};
  if (plot_.x_high <= plot_.x_low) {
    plot_.x_low -= 1;
    plot_.x_high += 1;
  }
  // The axis holds what is shown: the delivered runs and the formulas up to the end of a run.
  double least_ms = kStopAfterMs;
  double most_ms = 0.0;
  const auto take = [&](double ms) {
    least_ms = std::min(least_ms, ms);
    most_ms = std::max(most_ms, ms);
  };
  for (const SweepRun& run : sweep.runs()) {
    if (run.simulated_ms) take(*run.simulated_ms);
  }
  for (int t = 0; t < kTechniqueCount; ++t) {
    for (std::size_t i = 0; i < xs.size(); ++i) {
      const double ms = sweep.FormulaMs(t, i);
      if (std::isfinite(ms)) take(std::min(ms, static_cast<double>(kStopAfterMs)));
    }
  }
  y_axis_ = NiceAxisAround(std::max(least_ms, 0.0), std::max(most_ms, 1.0), kWantedTicks);
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

void CurveLayout::AddAxes(const Sweep& sweep) {
  auto& items = drawing_.items;
  items.emplace_back(DrawRect{plot_.left, plot_.band_top, plot_.right - plot_.left, kBandHeightPx, true,
                              kBandColour, false, {}});
  AddText({plot_.left - 6, plot_.band_bottom - 5}, "> 15 s", 11, TextAlign::End);
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
  AddText({(plot_.left + plot_.right) / 2, plot_.bottom + 40}, SweepAxisTitle(sweep.spec()), 12,
          TextAlign::Middle);
  AddText({plot_.left - 52, (plot_.top + plot_.bottom) / 2}, "completion time (ms)", 12, TextAlign::Middle,
          false, -90);
}

void CurveLayout::AddFormulas(const Sweep& sweep) {
  const std::vector<double>& xs = sweep.spec().values;
  for (int t = 0; t < kTechniqueCount; ++t) {
    const Pen pen{CurveColour(t), 1.5, false};
    DrawPolyline line{{}, pen};
    const auto flush = [&] {
      if (line.points.size() > 1) drawing_.items.emplace_back(line);
      line.points.clear();
    };
    for (std::size_t i = 0; i < xs.size(); ++i) {
      const double ms = sweep.FormulaMs(t, i);
      const bool inside = ms <= plot_.top_ms;
      if (i > 0) {
        // Where the line leaves or enters the plot at its top.
        const double before = sweep.FormulaMs(t, i - 1);
        if (inside != (before <= plot_.top_ms)) {
          const double share = (plot_.top_ms - before) / (ms - before);
          line.points.push_back({PxX(xs[i - 1] + share * (xs[i] - xs[i - 1])), plot_.top});
          if (!inside) flush();
        }
      }
      if (inside) line.points.push_back({PxX(xs[i]), PxY(ms)});
    }
    flush();
  }
}

void CurveLayout::AddPoints(const Sweep& sweep) {
  const std::vector<SweepRun>& runs = sweep.runs();
  for (std::size_t r = 0; r < runs.size(); ++r) {
    const SweepRun& run = runs[r];
    const double x = PxX(sweep.spec().values[run.x_index]) + kTechniqueOffsetPx.at(run.technique);
    const bool delivered = run.simulated_ms.has_value();
    const double y = delivered ? PxY(*run.simulated_ms) : (plot_.band_top + plot_.band_bottom) / 2;
    points_.push_back(PlacedPoint{r, {x, y}, delivered});
    const Rgb colour = CurveColour(run.technique);
    drawing_.items.emplace_back(
        DrawCircle{{x, y}, kPointRadiusPx, delivered, colour, !delivered, Pen{colour, 1, false}});
  }
}

void CurveLayout::AddMarks(const Sweep& sweep) {
  std::vector<std::string> labels;  // "2", or "3 least" for the least packet formula
  const auto add = [&](DrawPoint at, double reach, std::size_t number, const char* label) {
    marks_.push_back({at, reach, number});
    labels.push_back(std::to_string(number) + label);
  };
  std::size_t number = 0;
  for (const Overtake& overtake : FindOvertakes(sweep)) {
    ++number;
    if (overtake.ms > plot_.top_ms || number > kMostListedMarks) continue;
    const DrawPoint at{PxX(overtake.x), PxY(overtake.ms)};
    drawing_.items.emplace_back(DrawCircle{at, kMarkRadiusPx, false, kBlack, true, Pen{kBlack, 1.5, false}});
    add(at, kMarkRadiusPx, number, "");
  }
  if (const auto optimum = SweepOptimum(sweep); optimum && optimum->ms <= plot_.top_ms) {
    const DrawPoint at{PxX(optimum->packet_blocks), PxY(optimum->ms)};
    drawing_.items.emplace_back(DrawRect{at.x - kSquareReachPx, at.y - kSquareReachPx, 2 * kSquareReachPx,
                                         2 * kSquareReachPx, false, kBlack, true, Pen{kBlack, 1.5, false}});
    add(at, kSquareReachPx, number + 1, " least");
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

void CurveLayout::AddLegend() {
  const double left = plot_.right + 20;
  double y = plot_.top + 6;
  for (int t = 0; t < kTechniqueCount; ++t, y += 20) {
    const Rgb colour = CurveColour(t);
    drawing_.items.emplace_back(DrawLine{{left, y}, {left + 24, y}, Pen{colour, 1.5, false}});
    drawing_.items.emplace_back(DrawCircle{{left + 12, y}, kPointRadiusPx, true, colour, false, {}});
    AddText({left + 32, y + 4}, std::string(SweepTechniqueName(t)), 12);
  }
  y += 8;
  drawing_.items.emplace_back(DrawCircle{{left + 12, y}, kPointRadiusPx, true, kAxisColour, false, {}});
  AddText({left + 32, y + 4}, "simulated, each seed", 11);
  y += 18;
  drawing_.items.emplace_back(DrawLine{{left, y}, {left + 24, y}, Pen{kAxisColour, 1.5, false}});
  AddText({left + 32, y + 4}, "formula", 11);
  y += 18;
  drawing_.items.emplace_back(
      DrawCircle{{left + 12, y}, kPointRadiusPx, false, kBlack, true, Pen{kAxisColour, 1, false}});
  AddText({left + 32, y + 4}, "not delivered in 15 s", 11);
  y += 18;
  drawing_.items.emplace_back(
      DrawCircle{{left + 12, y}, kMarkRadiusPx, false, kBlack, true, Pen{kBlack, 1.5, false}});
  AddText({left + 32, y + 4}, "overtake", 11);
}

void CurveLayout::AddText(DrawPoint at, std::string text, double size, TextAlign align, bool bold,
                          double rotation) {
  drawing_.items.emplace_back(DrawText{at, std::move(text), kBlack, size, align, bold, rotation});
}

std::string CurveLayout::MarkSaid(std::size_t mark) const {
  const std::size_t number = marks_.at(mark).number;
  return "Mark " + std::to_string(number) + ": " + mark_texts_.at(number - 1);
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
