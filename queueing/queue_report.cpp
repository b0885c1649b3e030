#include "queueing/queue_report.h"

#include <cmath>
#include <cstdio>

#include "text/json_writer.h"
#include "simulation/numbers.h"
#include "text/number_texts.h"

namespace switchsim {
namespace {

double LostShare(const QueueRun& run) {
  return run.Arrived() == 0 ? 0.0 : static_cast<double>(run.Lost()) / static_cast<double>(run.Arrived());
}

}  // namespace

std::string QueueJson(const QueueRun& run) {
  const QueueSetting& s = run.setting();
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("intensity").Number(s.intensity).Key("buffer");
  if (s.buffer) json.Integer(*s.buffer);
  else json.Null();
  json.Key("packets").Integer(run.Arrived()).Key("seed").Unsigned(s.seed);
  json.Key("service_ms").Number(ServiceMs(s)).Key("mean_wait_formula_ms").Number(MeanWaitFormulaMs(s));
  json.Key("mean_wait_simulated_ms").Number(run.Wait().Mean());
  json.Key("mean_wait_interval_ms").Number(run.Wait().HalfWidth());
  json.Key("lost").Integer(run.Lost()).Key("lost_share").Number(LostShare(run));
  json.Key("longest_queue").Integer(run.LongestQueue()).Close('}');
  return out + "\n";
}

std::string QueueTable(const QueueRun& run) {
  const QueueSetting& s = run.setting();
  const auto row = LabelledRow;
  std::string out = "A queue at intensity " + ShortestText(s.intensity) + ", packets sent in " +
                    ShortestText(ServiceMs(s)) + " ms each, buffer " +
                    (s.buffer ? std::to_string(*s.buffer) + " packets" : std::string("without limit")) + ", " +
                    std::to_string(run.Arrived()) + " packets (seed " + std::to_string(s.seed) + ")\n";
  out += row("mean wait in the queue, formula (M/D/1" + std::string(s.buffer ? ", no limit)" : ")"),
             FixedText(MeanWaitFormulaMs(s), 1) + " ms");
  out += row("mean wait in the queue, simulated", FixedText(run.Wait().Mean(), 1) + " ms \u00b1 " +
                                                     FixedText(run.Wait().HalfWidth(), 1) + " (99.9 %)");
  out += row("packets lost", std::to_string(run.Lost()) + " (" + FixedText(LostShare(run) * 100.0, 2) + " %)");
  out += row("longest queue an arrival met", std::to_string(run.LongestQueue()) + " packets");
  return out;
}

}  // namespace switchsim
