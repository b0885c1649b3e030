#pragma once

#include <array>
#include <string>
#include <vector>

#include "form/form_logic.h"
#include "simulation/simulation.h"
#include "tools/trace_view.h"

namespace switchsim::testing {

/// The driver's form surface, remembering every stroke, completion, trace
/// clear, marker hide and timer change of the runs, for tests to look at.
class RecordingView : public trace::TraceView, public RunListener {
 public:
  std::vector<Stroke> strokes;
  std::vector<Completion> completions;
  int trace_clears = 0;  // of any trace
  std::array<int, kLinkCount> clears_by_link{};
  int marker_hides = 0;  // times all three markers were hidden

  void ClearTrace(int link) override;
  void HideMarker(Marker marker) override;
  void OnDraw(const Stroke& stroke) override { strokes.push_back(stroke); }
  void OnCompletion(const Completion& completion) override { completions.push_back(completion); }

 private:
  std::array<int, 3> hides_by_marker_{};
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

/// A form on a recording view, loaded: delays 50, rates 1.0 / 0.5 / 1.0,
/// technique Message, size 300, then reset.
struct Rig {
  explicit Rig(RandomSource& random);
  RecordingView view;
  FormLogic form;
  Simulation& simulation;

  /// Chooses a box's text as a user would.
  void ChooseMethod(const std::string& text) { form.Choose(kMethodBox, text); }
  void ChooseSize(const std::string& text) { form.Choose(kSizeBox, text); }
  void ChooseDelay(int link, const std::string& text) { form.Choose(DelayBox(link), text); }
  void ChooseRate(int link, const std::string& text) { form.Choose(RateBox(link), text); }

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
