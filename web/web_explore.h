#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "explore/curve_layout.h"
#include "records/run_log.h"
#include "explore/sweep.h"

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

  /// The curve as JSON: {"width", "height", "title", "description", "items": [...]}, each
  /// item {"k": "line"|"poly"|"rect"|"circle"|"text", ...}, in hundredths of a px; the runs'
  /// points are its first circles, in the order of the runs.
  std::string DrawingJson();
  std::string Svg();
  std::string Csv() const;
  /// The numbers as JSON rows for a table: {"heading": [...], "rows": [[...], ...],
  /// "runs": [...]}: each row's first run, whose seed's cell follows the formula's;
  /// the next seeds' runs follow it in turn.
  std::string TableJson() const;
  /// What a press at (x, y) px of the drawing picks, by a finger if `touch`,
  /// on the drawing shown at `shown_scale` CSS px per px: {"run": index},
  /// {"say": what a mark says} or {}.
  std::string PickJson(double x, double y, bool touch, double shown_scale);
  /// What run `index` was made with, its seed included; empty for no such run.
  std::optional<RunParameters> ParametersOf(int index) const;

 private:
  const CurveLayout& Layout();

  std::unique_ptr<Sweep> sweep_;
  std::unique_ptr<CurveLayout> layout_;
  std::size_t laid_out_runs_ = 0;
};

}  // namespace switchsim
