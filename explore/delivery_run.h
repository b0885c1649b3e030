#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "simulation/random_source.h"
#include "records/run_log.h"
#include "simulation/simulation.h"
#include "simulation/view.h"

namespace switchsim {

/// Runs the simulation of one set of parameters without a form, strokes or
/// log, as the driver and the window run it (the same boxes, the same
/// seeding, the same ticks), and stops as soon as all the technique's data
/// has reached Receive. For many runs in a row: one object serves them all.
class DeliveryRun final : public SimulationView {
 public:
  DeliveryRun();

  DeliveryRun(const DeliveryRun&) = delete;
  DeliveryRun& operator=(const DeliveryRun&) = delete;

  /// The clock in ms when the last of the data reached Receive, which the
  /// form's markers show; empty if some of it had not by the end of the run
  /// (the tick past 15000 ms).
  std::optional<std::int32_t> CompletionMs(const RunParameters& parameters);

  // SimulationView: the boxes as plain texts, nothing drawn.
  std::string MethodText() const override { return technique_; }
  std::string MessageSizeText() const override { return size_; }
  std::string DelayText(int link) const override { return delays_.at(link); }
  std::string RateText(int link) const override { return rates_.at(link); }
  void SetRateText(int link, std::string_view text) override { rates_.at(link) = std::string(text); }
  Rgb RateColour(int link) const override { return rate_colours_.at(link); }
  void SetRateColour(int link, Rgb colour) override { rate_colours_.at(link) = colour; }
  Rgb RateLabelColour(int link) const override { return label_colours_.at(link); }
  void SetRateLabelColour(int link, Rgb colour) override { label_colours_.at(link) = colour; }
  void ClearTrace(int /*link*/) override {}
  void DrawUnit(const Stroke& /*stroke*/) override {}
  void UnitCompleted(const Arrival& arrival) override;
  void SetTimerEnabled(bool enabled) override { timer_enabled_ = enabled; }
  bool TimerEnabled() const override { return timer_enabled_; }
  int TimerIntervalMs() const override { return kTimerIntervalMs; }

 private:
  Mt64Random random_;
  Simulation simulation_;
  std::string technique_;
  std::string size_;
  std::array<std::string, kLinkCount> rates_;
  std::array<std::string, kLinkCount> delays_;
  std::array<Rgb, kLinkCount> rate_colours_{};
  std::array<Rgb, kLinkCount> label_colours_{};
  bool timer_enabled_ = false;
  int data_arrived_ = 0;  // units of data that placed a marker in this run
  std::int32_t last_marker_ms_ = 0;
};

}  // namespace switchsim
