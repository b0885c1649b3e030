#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "curve_layout.h"
#include "run_log.h"
#include "sweep.h"

namespace switchsim {

/// The Explore panel behind the page: one sweep at a time, made a few runs
/// per call so that the page stays responsive, and what the panel shows of
/// it (the curve as drawing primitives, its numbers, its SVG and CSV), laid
/// out again only when runs were added.
class WebExplore {
 public:
  /// Begins the sweep of `spec` ("PARAM=FROM:TO[:STEP]") around `base`, with
  /// as many seeds from 1 as `seeds` says; returns "" or one line naming what
  /// is refused, and a refused sweep leaves the last one as it was.
  std::string Begin(const std::string& spec, const std::string& seeds, const RunParameters& base);
  /// Makes at most `max_runs` more runs; returns how many runs are made in all.
  std::size_t Step(std::size_t max_runs);
  std::size_t RunCount() const { return sweep_ ? sweep_->RunCount() : 0; }

  /// The curve as JSON: {"width", "height", "title", "description", "items": [...],
  /// "points": [[run, x, y], ...]}, each item {"k": "line"|"poly"|"rect"|"circle"|"text", ...}
  /// and each point where a run is drawn, in px.
  std::string DrawingJson();
  std::string Svg();
  std::string Csv() const;
  /// The numbers as JSON rows for a table: {"heading": [...], "rows": [[...], ...]}.
  std::string TableJson() const;
  /// The run whose point is at (x, y) px of the drawing, or -1.
  int RunAt(double x, double y);
  /// What run `index` was made with, its seed included; empty for no such run.
  std::optional<RunParameters> ParametersOf(int index) const;

 private:
  const CurveLayout& Layout();

  std::unique_ptr<Sweep> sweep_;
  std::unique_ptr<CurveLayout> layout_;
  std::size_t laid_out_runs_ = 0;
};

}  // namespace switchsim
