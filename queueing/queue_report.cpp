#include "queueing/queue_report.h"

#include <cmath>
#include <cstdio>

#include "text/json_writer.h"
#include "simulation/numbers.h"
#include "text/number_texts.h"
#include "text/translation.h"

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
  const auto fixed = [](double value, int places) { return PeopleNumber(FixedText(value, places)); };
  const std::string intensity = PeopleNumber(ShortestText(s.intensity));
  const std::string service = PeopleNumber(ShortestText(ServiceMs(s)));
  const std::string packets = std::to_string(run.Arrived());
  const std::string seed = std::to_string(s.seed);
  std::string out =
      s.buffer ? Fill(Tr("A queue at intensity {0}, packets sent in {1} ms each, buffer {2} packets, {3} packets (seed {4})"),
                      {intensity, service, std::to_string(*s.buffer), packets, seed})
               : Fill(Tr("A queue at intensity {0}, packets sent in {1} ms each, buffer without limit, {2} packets (seed "
                         "{3})"),
                      {intensity, service, packets, seed});
  out += "\n";
  out += row(s.buffer ? Tr("mean wait in the queue, formula (M/D/1, no limit)") : Tr("mean wait in the queue, formula (M/D/1)"),
             Fill(Tr("{0} ms"), {fixed(MeanWaitFormulaMs(s), 1)}));
  out += row(Tr("mean wait in the queue, simulated"),
             Fill(Tr("{0} ms \u00b1 {1} (99.9 %)"), {fixed(run.Wait().Mean(), 1), fixed(run.Wait().HalfWidth(), 1)}));
  out += row(Tr("packets lost"), Fill(Tr("{0} ({1} %)"), {std::to_string(run.Lost()), fixed(LostShare(run) * 100.0, 2)}));
  out += row(Tr("longest queue an arrival met"), Fill(Tr("{0} packets"), {std::to_string(run.LongestQueue())}));
  return out;
}

}  // namespace switchsim
