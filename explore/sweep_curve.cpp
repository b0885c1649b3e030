#include "explore/sweep_curve.h"

#include <array>
#include <cmath>

#include "explore/curve_layout.h"
#include "explore/curve_marks.h"
#include "explore/sweep_tables.h"
#include "simulation/constants.h"
#include "simulation/techniques.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// The techniques' points stand a little apart, so that equal times stay visible.
inline constexpr std::array<double, kTechniqueCount> kTechniqueOffsetPx = {-3.0, 0.0, 3.0};

}  // namespace

CurveData SweepCurveData(const Sweep& sweep) {
  CurveData data;
  data.title = Fill(Tr("Completion time against {0}"), {SweepAxisName(sweep.spec())});
  data.context = SweepContext(sweep);
  data.x_title = SweepAxisTitle(sweep.spec());
  data.y_title = Tr("completion time (ms)");
  data.xs = sweep.spec().values;
  for (int t = 0; t < kTechniqueCount; ++t) {
    CurveSeries series{SweepTechniqueLabel(t), CurveColour(t),
                       kTechniqueOffsetPx.at(static_cast<std::size_t>(t)), {}};
    for (std::size_t i = 0; i < data.xs.size(); ++i) series.formula.push_back(sweep.FormulaMs(t, i));
    data.series.push_back(std::move(series));
  }
  for (const SweepRun& run : sweep.runs()) {
    std::optional<double> y;
    if (run.simulated_ms) y = *run.simulated_ms;
    data.points.push_back({static_cast<std::size_t>(run.technique), run.x_index, y});
  }
  for (const Overtake& overtake : FindOvertakes(sweep)) {
    data.marks.push_back({overtake.x, overtake.ms, CurveMark::Shape::Ring, "{0}", OvertakeText(sweep, overtake)});
  }
  if (const auto optimum = SweepOptimum(sweep)) {
    data.marks.push_back({static_cast<double>(optimum->packet_blocks), optimum->ms, CurveMark::Shape::Square,
                          // TRANSLATORS: beside the square of the least packet formula, {0} its number.
                          Tr("{0} least"), OptimumText(*optimum)});
  }
  data.band = Tr("> 15 s");
  data.band_legend = Tr("not delivered in 15 s");
  data.y_cap = static_cast<double>(kStopAfterMs);
  data.least_top = 1.0;
  data.overtakes = true;
  return data;
}

}  // namespace switchsim
