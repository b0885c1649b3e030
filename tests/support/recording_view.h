#pragma once

#include <string>
#include <vector>

#include "simulation.h"
#include "trace_view.h"

namespace switchsim::testing {

/// The driver's box view, remembering every stroke, completion, clear and
/// timer change the simulation makes, for tests to look at.
class RecordingView : public trace::TraceView {
 public:
  RecordingView();

  std::vector<Stroke> strokes;
  std::vector<Completion> completions;
  int trace_clears = 0;
  int marker_hides = 0;
  std::vector<bool> timer_changes;

  void ClearTrace(int link) override;
  void HideMarkers() override;
  void SetTimerEnabled(bool enabled) override;
};

/// A random source that plays back fixed numbers, then repeats the last.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
  double NextDouble() override;
  int draws = 0;

 private:
  std::vector<double> values_;
};

/// A simulation on a recording view, loaded as the window loads it: delays
/// 50, rates 1.0 / 0.5 / 1.0, technique Message, size 300, then reset.
struct Rig {
  explicit Rig(RandomSource& random);
  RecordingView view;
  Simulation simulation;

  /// Presses Start: reset, set up and enable the timer.
  void Start();
  /// Ticks until the timer stops itself; returns the number of ticks.
  int RunToEnd();
  const SimulationState& State() const { return simulation.State(); }
};

}  // namespace switchsim::testing

namespace switchsim::testing {

/// Writes each step the simulation reports as a short line, such as
/// "grant 25 1 0" (event, clock, record, link).
class StepRecorder : public SimulationObserver {
 public:
  std::vector<std::string> steps;

  void OnGrant(std::int32_t clock_ms, int record, int link) override;
  void OnFree(std::int32_t clock_ms, int record, int link) override;
  void OnPass(std::int32_t clock_ms, int record, int link) override;
  void OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t kind) override;
  void OnBottleneck(std::int32_t clock_ms) override;
  void OnStop(std::int32_t clock_ms) override;

  /// The steps that begin with `prefix`.
  std::vector<std::string> Matching(const std::string& prefix) const;
};

}  // namespace switchsim::testing
