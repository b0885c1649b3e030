#include "recording_view.h"

namespace switchsim::testing {

RecordingView::RecordingView() {
  on_draw = [this](const Stroke& stroke) { strokes.push_back(stroke); };
  on_complete = [this](const Completion& completion) { completions.push_back(completion); };
}

void RecordingView::ClearTrace(int /*link*/) { ++trace_clears; }
void RecordingView::HideMarkers() { ++marker_hides; }

void RecordingView::SetTimerEnabled(bool enabled) {
  timer_changes.push_back(enabled);
  TraceView::SetTimerEnabled(enabled);
}

double ScriptedRandom::NextDouble() {
  const double value = values_.empty() ? 0.0 : values_[std::min<std::size_t>(draws, values_.size() - 1)];
  ++draws;
  return value;
}

Rig::Rig(RandomSource& random) : simulation(view, random) {
  view.Attach(simulation);
  trace::LoadDefaults(view, simulation);
}

void Rig::Start() {
  simulation.ResetSimulation();
  simulation.SetUpTransfer();
  view.SetTimerEnabled(true);
}

int Rig::RunToEnd() {
  int ticks = 0;
  while (view.TimerEnabled() && ticks < 100000) {
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
