#include "explore/lab_curve.h"

#include <algorithm>

#include "explore/curve_layout.h"
#include "sharing/share_report.h"
#include "simulation/numbers.h"
#include "simulation/techniques.h"
#include "text/number_texts.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// The curve is of packets sharing the link, so it takes their colour.
inline constexpr int kPacketTechnique = 2;
// A probability's axis reaches at least this high, so that tiny values still show a scale.
inline constexpr double kLeastCongestionTop = 0.001;
inline constexpr double kLeastWaitTopMs = 1.0;

// The table's first column, as LabSweepName names the sweep on the command line.
inline constexpr std::string_view kUsersColumn = Mark("users");
inline constexpr std::string_view kIntensityColumn = Mark("intensity");

bool Congestion(const LabSweep& sweep) { return sweep.range().curve == LabCurve::Congestion; }

std::string Seeds(const LabSweep& sweep) {
  const std::uint64_t last = sweep.first_seed() + static_cast<std::uint64_t>(sweep.seed_count()) - 1;
  return sweep.seed_count() == 1 ? Fill(Tr("seed {0}"), {std::to_string(sweep.first_seed())})
                                 : Fill(Tr("seeds {0} to {1}"), {std::to_string(sweep.first_seed()), std::to_string(last)});
}

// A figure of the table, as a person reads it.
std::string FigureText(const LabSweep& sweep, double value) {
  return PeopleNumber(Congestion(sweep) ? ShortestText(std::round(value * 1e6) / 1e6) : MsText(value));
}

}  // namespace

std::string LabSweepContext(const LabSweep& sweep) {
  if (Congestion(sweep)) {
    const ShareSetting& s = sweep.share();
    std::string text = Fill(Tr("users x of {0} Mbps on {1} Mbps, active {2}"),
                            {PeopleNumber(s.user_rate), PeopleNumber(s.link_rate), PeopleNumber(ShortestText(s.active))});
    if (s.burst_slots) {
      text = Fill(Tr("{0} in bursts of {1} slots"), {text, PeopleNumber(ShortestText(*s.burst_slots))});
    }
    return Fill(Tr("{0}, {1} slots, {2}"), {text, std::to_string(s.slot_count), Seeds(sweep)});
  }
  const QueueSetting& q = sweep.queue();
  return Fill(Tr("intensity x, service {0} ms, {1}, {2} packets, {3}"),
              {PeopleNumber(MsText(ServiceMs(q))),
               q.buffer ? Fill(Tr("buffer {0}"), {std::to_string(*q.buffer)}) : Tr("no limit to the buffer"),
               std::to_string(q.packets), Seeds(sweep)});
}

CurveData LabCurveData(const LabSweep& sweep) {
  const bool congestion = Congestion(sweep);
  CurveData data;
  data.title = congestion ? Tr("Congestion against the number of users") : Tr("Queueing delay against traffic intensity");
  data.context = LabSweepContext(sweep);
  data.x_title = congestion ? Tr("users sharing the link")
                            // TRANSLATORS: {0} is the Greek letter rho, the traffic intensity's sign.
                            : Fill(Tr("traffic intensity {0} = La/R"), {"\u03c1"});
  data.y_title = congestion ? Tr("P(more active than the link carries)") : Tr("mean wait in the queue (ms)");
  data.xs = sweep.range().values;
  CurveSeries series{congestion ? Tr("Packets") : Tr("Queue"), kTechniques[kPacketTechnique].colour,
                     0.0, {}};
  for (std::size_t i = 0; i < data.xs.size(); ++i) series.formula.push_back(sweep.Formula(i));
  data.series.push_back(std::move(series));
  for (const LabSweepRun& run : sweep.runs()) data.points.push_back({0, run.x_index, run.simulated});
  if (congestion) {
    const auto limit = ReservedUsers(sweep.share().link_rate, sweep.share().user_rate).value_or(0);
    data.limit = CurveLimit{static_cast<double>(limit), Fill(Tr("circuits serve {0} users"), {std::to_string(limit)})};
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
  text += Tr(Congestion(sweep) ? kUsersColumn : kIntensityColumn) + "\t" + Tr("formula");
  for (int s = 0; s < sweep.seed_count(); ++s) text += "\t" + Fill(Tr("seed {0}"), {std::to_string(sweep.first_seed() + s)});
  text += "\n";
  std::size_t next = 0;
  const std::vector<LabSweepRun>& runs = sweep.runs();
  for (std::size_t i = 0; i < data.xs.size() && next < runs.size(); ++i) {
    text += PeopleNumber(ShortestText(data.xs[i])) + "\t" + FigureText(sweep, sweep.Formula(i));
    for (; next < runs.size() && runs[next].x_index == i; ++next) text += "\t" + FigureText(sweep, runs[next].simulated);
    text += "\n";
  }
  if (data.limit) {
    text += Fill(Tr("Circuits serve {0} users: with more, packets can ask for more than the link carries."),
                 {std::to_string(static_cast<int>(data.limit->x))}) +
            "\n";
  }
  return text;
}

}  // namespace switchsim
