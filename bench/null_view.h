#pragma once

#include <array>
#include <string>

#include "simulation/view.h"

namespace switchsim::bench {

/// A view that holds the boxes' texts and draws nothing: what the engine
/// costs on its own. Rate box changes run no handler.
class NullView final : public SimulationView {
 public:
  std::string method = "Message";
  std::string size = "300";
  std::array<std::string, kLinkCount> delays{"50", "50", "50"};
  std::array<std::string, kLinkCount> rates{"1", "0.5", "1"};
  std::array<Rgb, kLinkCount> rate_colours{};
  std::array<Rgb, kLinkCount> label_colours{};
  bool timer = false;
  long strokes = 0;

  std::string MethodText() const override { return method; }
  std::string MessageSizeText() const override { return size; }
  std::string DelayText(int link) const override { return delays[link]; }
  std::string RateText(int link) const override { return rates[link]; }
  void SetRateText(int link, std::string_view text) override { rates[link] = std::string(text); }
  Rgb RateColour(int link) const override { return rate_colours[link]; }
  void SetRateColour(int link, Rgb colour) override { rate_colours[link] = colour; }
  Rgb RateLabelColour(int link) const override { return label_colours[link]; }
  void SetRateLabelColour(int link, Rgb colour) override { label_colours[link] = colour; }
  void ClearTrace(int /*link*/) override {}
  void DrawUnit(const Stroke& /*stroke*/) override { ++strokes; }
  void UnitCompleted(const Arrival& /*arrival*/) override {}
  void SetTimerEnabled(bool enabled) override { timer = enabled; }
  bool TimerEnabled() const override { return timer; }
  int TimerIntervalMs() const override { return kTimerIntervalMs; }
};

}  // namespace switchsim::bench
