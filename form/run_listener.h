#pragma once

#include "marker.h"
#include "observer.h"
#include "view.h"

namespace switchsim {

/// Hears every step of a run: the simulation's steps, each stroke drawn and
/// each marker placed. Every method does nothing unless overridden.
class RunListener : public SimulationObserver {
 public:
  /// One tick's stroke, as the simulation reported it.
  virtual void OnDraw(const Stroke& /*stroke*/) {}
  /// A completion moved its technique's marker.
  virtual void OnCompletion(const Completion& /*completion*/) {}
};

}  // namespace switchsim
