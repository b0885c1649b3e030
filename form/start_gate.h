#pragma once

namespace switchsim {

/// Decides whether a press of Start may begin a run now. An exercise that
/// waits for its answer holds every Start, so that no run shows the answer
/// before the student has committed one.
class StartGate {
 public:
  virtual ~StartGate() = default;
  /// Whether to hold this Start; a gate that holds it says why to the user.
  virtual bool HoldsStart() = 0;
};

}  // namespace switchsim
