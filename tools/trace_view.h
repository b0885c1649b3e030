#pragma once

#include <array>
#include <functional>
#include <string>

#include "simulation.h"
#include "view.h"

namespace switchsim::trace {

/// The driver's window: box texts and colours, a timer flag, and no pixels.
/// It runs the boxes' change handlers as the window does, and passes strokes
/// and completions on to listeners.
class TraceView : public SimulationView {
 public:
  TraceView();

  /// The simulation whose handlers the boxes run (not owned; set once, before use).
  void Attach(Simulation& simulation) { simulation_ = &simulation; }

  /// Sets a box as a user would; a real change runs the box's handler.
  void ChooseMethod(const std::string& text) { method_ = text; }
  void ChooseSize(const std::string& text);
  void ChooseDelay(int link, const std::string& text);
  void ChooseRate(int link, const std::string& text) { SetRateText(link, text); }

  std::function<void(const Stroke&)> on_draw;
  std::function<void(const Completion&)> on_complete;

  std::string MethodText() const override { return method_; }
  std::string MessageSizeText() const override { return size_; }
  std::string DelayText(int link) const override { return delays_[link]; }
  std::string RateText(int link) const override { return rates_[link]; }
  void SetRateText(int link, std::string_view text) override;
  Rgb RateColour(int link) const override { return rate_colours_[link]; }
  void SetRateColour(int link, Rgb colour) override { rate_colours_[link] = colour; }
  Rgb RateLabelColour(int link) const override { return label_colours_[link]; }
  void SetRateLabelColour(int link, Rgb colour) override { label_colours_[link] = colour; }
  void ClearTrace(int /*link*/) override {}
  void DrawUnit(const Stroke& stroke) override;
  void UnitCompleted(const Completion& completion) override;
  void HideMarkers() override {}
  void SetTimerEnabled(bool enabled) override { timer_enabled_ = enabled; }
  bool TimerEnabled() const override { return timer_enabled_; }
  int TimerIntervalMs() const override { return kTimerIntervalMs; }

 private:
  Simulation* simulation_ = nullptr;
  std::string method_;
  std::string size_;
  std::array<std::string, kLinkCount> delays_;
  std::array<std::string, kLinkCount> rates_;
  std::array<Rgb, kLinkCount> rate_colours_{};
  std::array<Rgb, kLinkCount> label_colours_{};
  bool timer_enabled_ = false;
};

/// Does what the window's load handler does: fills in the default texts,
/// records the rates and resets the simulation.
void LoadDefaults(TraceView& view, Simulation& simulation);

}  // namespace switchsim::trace
