#pragma once

#include <string>

#include "form/form_surface.h"
#include "form/marker.h"
#include "simulation/observer.h"
#include "simulation/view.h"

namespace switchsim {

/// Hears every step of a run: the simulation's steps, each stroke drawn and
/// each marker placed, and what the form's handlers did around them. Every
/// method does nothing unless overridden.
class RunListener : public SimulationObserver {
 public:
  /// Start was pressed: the simulation is reset and about to set up the
  /// technique's units, so the random numbers drawn from here on are the run's.
  virtual void OnRunStart() {}
  /// A timer period's tick has run to its end.
  virtual void OnTickEnd() {}
  /// The second run button paused (`running` false) or continued the clock.
  virtual void OnPauseToggled(bool /*running*/) {}
  /// Reset ended the run: the simulation is reset, the markers stay.
  virtual void OnRunReset() {}
  /// A box's change reached its handler and counts: a delay, the size, the
  /// technique, or a rate that the circuit rule did not write.
  virtual void OnParameterChanged(BoxId /*box*/) {}
  /// Typed text that holds no usable rate was refused when editing ended;
  /// the box shows `kept` again, the text it showed when the edit began.
  virtual void OnRateRefused(int /*link*/, const std::string& /*typed*/,
                             const std::string& /*kept*/) {}
  /// An edit of a rate box ended with `text`, a usable rate, which is now
  /// what a refusal would bring back; `changed` when the edit changed it.
  virtual void OnRateTaken(int /*link*/, const std::string& /*text*/, bool /*changed*/) {}
  /// One tick's stroke, as the simulation reported it.
  virtual void OnDraw(const Stroke& /*stroke*/) {}
  /// A completion moved its technique's marker.
  virtual void OnCompletion(const Completion& /*completion*/) {}
};

}  // namespace switchsim
