#pragma once

#include <array>
#include <string>
#include <string_view>

#include "form/form_surface.h"
#include "form/lists.h"
#include "simulation/random_source.h"
#include "form/run_listener.h"
#include "form/run_listeners.h"
#include "simulation/simulation.h"
#include "form/start_gate.h"
#include "simulation/view.h"

namespace switchsim {

/// What the form does, whatever toolkit shows it: the load handler with the
/// lists and defaults, the run buttons with their captions, the boxes' change
/// handlers, the refusal of an unusable typed rate, the drawing of strokes in
/// trace coordinates and the choice and height of the completion markers.
///
/// It owns the simulation and is its view; it reaches the controls through
/// `surface` and draws random numbers from `random`, both borrowed, which
/// must outlive it. It keeps the run state the controls show: the captions,
/// the rate boxes' and labels' fore colours and whether the timer runs.
class FormLogic final : public SimulationView {
 public:
  FormLogic(FormSurface& surface, RandomSource& random);

  FormLogic(const FormLogic&) = delete;
  FormLogic& operator=(const FormLogic&) = delete;

  /// The load handler: fills the lists, sets the defaults, records the rates
  /// and resets the simulation (the timer ends stopped).
  void Form_Load();
  /// Run button `index` (0 Start/Reset, 1 Pause/Cont) was pressed; other
  /// indices do nothing. A Start that the gate holds does nothing.
  void cmdStart_Click(int index);
  /// One period of the timer: one tick of the simulation.
  void Timer1_Timer();

  /// The user changed or clicked a box, whose new text the surface holds: a
  /// key typed in a rate box, or an item chosen from a list.
  void BoxChanged(BoxId box);
  /// The user finished an edit of a rate box: pressed Enter, left the box,
  /// or chose an item from its list. A text with a usable rate is taken;
  /// one without is refused, and the box shows again the text it showed
  /// when the edit began (as it was then), which the listeners hear.
  void RateEditingFinished(int link);
  /// Hides the three markers, then clears the three traces; the run goes on.
  void ClearTraces();

  /// Sets a box's text as the user would choose it whole: when the text
  /// really changes, the box's change handler runs, and a usable rate is
  /// what a later refusal brings back.
  void Choose(BoxId box, std::string_view text);

  /// How the next Start cuts and addresses the message; a packeting out of
  /// its ranges is refused (false) and the last one stays. A run already
  /// started keeps the packets it was set up with.
  bool ChoosePacketing(const Packeting& packeting) { return simulation_.SetPacketing(packeting); }

  /// A run button's caption.
  std::string_view Caption(int button) const { return captions_.at(button); }
  /// Whether a run exists: Start was pressed and Reset not since.
  bool RunExists() const { return captions_[0] == lists::kResetCaption; }

  /// Where the markers stand, as the form last placed or hid them, by Marker.
  const std::array<MarkerState, kTechniqueCount>& Markers() const { return markers_; }

  /// `listener` alone hears every step of the runs from now on (not owned;
  /// null: none does).
  void SetListener(RunListener* listener);
  /// `listener` hears every step from now on too, after those added before
  /// it; it is borrowed and must be removed before it is destroyed.
  void AddListener(RunListener* listener);
  void RemoveListener(RunListener* listener);
  /// `gate` decides from now on whether a Start may begin a run (borrowed;
  /// null: every Start does, as without one).
  void SetStartGate(StartGate* gate) { start_gate_ = gate; }

  Simulation& simulation() { return simulation_; }
  const Simulation& simulation() const { return simulation_; }

  // SimulationView.
  std::string MethodText() const override;
  std::string MessageSizeText() const override;
  std::string DelayText(int link) const override;
  std::string RateText(int link) const override;
  void SetRateText(int link, std::string_view text) override;
  Rgb RateColour(int link) const override { return rate_colours_.at(link); }
  void SetRateColour(int link, Rgb colour) override;
  Rgb RateLabelColour(int link) const override { return label_colours_.at(link); }
  void SetRateLabelColour(int link, Rgb colour) override;
  void ClearTrace(int link) override;
  /// Draws the stroke on its trace, mirrored for a unit travelling back.
  void DrawUnit(const Stroke& stroke) override;
  /// Places the technique's marker at the height of the arrival, if the
  /// technique places one for this unit.
  void UnitCompleted(const Arrival& arrival) override;
  void SetTimerEnabled(bool enabled) override;
  bool TimerEnabled() const override { return timer_enabled_; }
  int TimerIntervalMs() const override { return kTimerIntervalMs; }

 private:
  void SetCaption(int button, std::string_view caption);

  FormSurface& surface_;
  Simulation simulation_;
  RunListeners listeners_;  // the simulation tells them its steps too
  std::array<std::string_view, 2> captions_ = {lists::kStartCaption, lists::kPauseCaption};
  std::array<Rgb, kLinkCount> rate_colours_{};
  std::array<Rgb, kLinkCount> label_colours_{};
  std::array<std::string, kLinkCount> kept_rate_texts_{};  // each rate box's text when its edit began
  std::array<MarkerState, kTechniqueCount> markers_{};
  bool timer_enabled_ = false;
  StartGate* start_gate_ = nullptr;
};

}  // namespace switchsim
