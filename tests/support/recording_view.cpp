#include "recording_view.h"

#include <algorithm>

namespace switchsim::testing {

void RecordingView::ClearTrace(int link) {
  ++trace_clears;
  ++clears_by_link.at(static_cast<std::size_t>(link));
}

void RecordingView::HideMarker(Marker marker) {
  // The markers are hidden together; count each time all three were.
  int& hides = hides_by_marker_.at(static_cast<std::size_t>(marker));
  ++hides;
  marker_hides = std::min({hides_by_marker_[0], hides_by_marker_[1], hides_by_marker_[2]});
}

double ScriptedRandom::NextDouble() {
  const double value = values_.empty() ? 0.0 : values_[std::min<std::size_t>(draws, values_.size() - 1)];
  ++draws;
  return value;
}

Rig::Rig(RandomSource& random) : form(view, random), simulation(form.simulation()) {
  form.SetListener(&view);
  form.Form_Load();
}

void Rig::Start() {
  simulation.ResetSimulation();
  simulation.SetUpTransfer();
  form.SetTimerEnabled(true);
}

int Rig::RunToEnd() {
  int ticks = 0;
  while (form.TimerEnabled() && ticks < 100000) {
    simulation.SimulationTick();
    ++ticks;
  }
  return ticks;
}

}  // namespace switchsim::testing

namespace switchsim::testing {
namespace {
std::string Line(const char* event, std::int32_t clock_ms, int record, int link) {
  return std::string(event) + " " + std::to_string(clock_ms) + " " + std::to_string(record) + " " +
         std::to_string(link);
}
}  // namespace

void StepRecorder::OnGrant(std::int32_t clock_ms, int record, int link) {
  steps.push_back(Line("grant", clock_ms, record, link));
}
void StepRecorder::OnFree(std::int32_t clock_ms, int record, int link) {
  steps.push_back(Line("free", clock_ms, record, link));
}
void StepRecorder::OnPass(std::int32_t clock_ms, int record, int link) {
  steps.push_back(Line("pass", clock_ms, record, link));
}
void StepRecorder::OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t /*kind*/) {
  steps.push_back(Line("arrive", clock_ms, record, link));
}
void StepRecorder::OnBottleneck(std::int32_t clock_ms) {
  steps.push_back("bottleneck " + std::to_string(clock_ms));
}
void StepRecorder::OnStop(std::int32_t clock_ms) { steps.push_back("stop " + std::to_string(clock_ms)); }

std::vector<std::string> StepRecorder::Matching(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& step : steps) {
    if (step.rfind(prefix, 0) == 0) found.push_back(step);
  }
  return found;
}

}  // namespace switchsim::testing
