#include "explore/lab_curve.h"

#include <algorithm>

#include "explore/curve_layout.h"
#include "sharing/share_report.h"
#include "simulation/numbers.h"
#include "simulation/techniques.h"
#include "text/number_texts.h"

namespace switchsim {
namespace {

// The curve is of packets sharing the link, so it takes their colour.
inline constexpr int kPacketTechnique = 2;
// A probability's axis reaches at least this high, so that tiny values still show a scale.
inline constexpr double kLeastCongestionTop = 0.001;
inline constexpr double kLeastWaitTopMs = 1.0;

bool Congestion(const LabSweep& sweep) { return sweep.range().curve == LabCurve::Congestion; }

std::string Seeds(const LabSweep& sweep) {
  const std::uint64_t last = sweep.first_seed() + static_cast<std::uint64_t>(sweep.seed_count()) - 1;
  return sweep.seed_count() == 1 ? "seed " + std::to_string(sweep.first_seed())
                                 : "seeds " + std::to_string(sweep.first_seed()) + " to " + std::to_string(last);
}

std::string FigureText(const LabSweep& sweep, double value) {
  return Congestion(sweep) ? ShortestText(std::round(value * 1e6) / 1e6) : MsText(value);
}

}  // namespace

std::string LabSweepContext(const LabSweep& sweep) {
  if (Congestion(sweep)) {
    const ShareSetting& s = sweep.share();
    std::string text = "users x of " + s.user_rate + " Mbps on " + s.link_rate + " Mbps, active " +
                       ShortestText(s.active);
    if (s.burst_slots) text += " in bursts of " + ShortestText(*s.burst_slots) + " slots";
    return text + ", " + std::to_string(s.slot_count) + " slots, " + Seeds(sweep);
  }
  const QueueSetting& q = sweep.queue();
  return "intensity x, service " + MsText(ServiceMs(q)) + " ms, " +
         (q.buffer ? "buffer " + std::to_string(*q.buffer) : std::string("no limit to the buffer")) + ", " +
         std::to_string(q.packets) + " packets, " + Seeds(sweep);
}

CurveData LabCurveData(const LabSweep& sweep) {
  const bool congestion = Congestion(sweep);
  CurveData data;
  data.title = congestion ? "Congestion against the number of users" : "Queueing delay against traffic intensity";
  data.context = LabSweepContext(sweep);
  data.x_title = congestion ? "users sharing the link" : "traffic intensity \u03c1 = La/R";
  data.y_title = congestion ? "P(more active than the link carries)" : "mean wait in the queue (ms)";
  data.xs = sweep.range().values;
  CurveSeries series{congestion ? "Packets" : "Queue", kTechniques[kPacketTechnique].colour,
                     0.0, {}};
  for (std::size_t i = 0; i < data.xs.size(); ++i) series.formula.push_back(sweep.Formula(i));
  data.series.push_back(std::move(series));
  for (const LabSweepRun& run : sweep.runs()) data.points.push_back({0, run.x_index, run.simulated});
  if (congestion) {
    const auto limit = ReservedUsers(sweep.share().link_rate, sweep.share().user_rate).value_or(0);
    data.limit = CurveLimit{static_cast<double>(limit), "circuits serve " + std::to_string(limit) + " users"};
  }
  data.least_top = congestion ? kLeastCongestionTop : kLeastWaitTopMs;
  return data;
}

std::string LabSweepCsv(const LabSweep& sweep) {
  const bool congestion = Congestion(sweep);
  std::string csv = LabSweepName(sweep.range()) +
                    (congestion ? ",seed,congestion_simulated,congestion_formula\r\n"
                                : ",seed,mean_wait_simulated_ms,mean_wait_formula_ms\r\n");
  for (const LabSweepRun& run : sweep.runs()) {
    csv += ShortestText(sweep.range().values.at(run.x_index)) + "," + std::to_string(run.seed) + "," +
           ShortestText(run.simulated) + "," + ShortestText(sweep.Formula(run.x_index)) + "\r\n";
  }
  return csv;
}

std::string LabSweepTableText(const LabSweep& sweep) {
  const CurveData data = LabCurveData(sweep);
  std::string text = data.title + "\n" + data.context + "\n";
  text += LabSweepName(sweep.range()) + "\tformula";
  for (int s = 0; s < sweep.seed_count(); ++s) text += "\tseed " + std::to_string(sweep.first_seed() + s);
  text += "\n";
  std::size_t next = 0;
  const std::vector<LabSweepRun>& runs = sweep.runs();
  for (std::size_t i = 0; i < data.xs.size() && next < runs.size(); ++i) {
    text += ShortestText(data.xs[i]) + "\t" + FigureText(sweep, sweep.Formula(i));
    for (; next < runs.size() && runs[next].x_index == i; ++next) text += "\t" + FigureText(sweep, runs[next].simulated);
    text += "\n";
  }
  if (data.limit) text += "Circuits serve " + std::to_string(static_cast<int>(data.limit->x)) +
                          " users: with more, packets can ask for more than the link carries.\n";
  return text;
}

}  // namespace switchsim
