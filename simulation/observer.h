#pragma once

#include <cstdint>

namespace switchsim {

/// Hears the steps of a run that the view does not see: set-up, grants,
/// releases, hand-overs. For tracing and tests; every method does nothing
/// unless overridden. Clocks are in ms.
class SimulationObserver {
 public:
  virtual ~SimulationObserver() = default;
  /// SetUpTransfer filled a record.
  virtual void OnUnitSetUp(int /*record*/) {}
  /// A tick began: the clock has advanced and the grant order of links 1 and 2 is drawn.
  virtual void OnTick(std::int32_t /*clock_ms*/, bool /*ascending*/) {}
  /// The tick disabled the timer because the clock passed the end of a run.
  virtual void OnStop(std::int32_t /*clock_ms*/) {}
  virtual void OnGrant(std::int32_t /*clock_ms*/, int /*record*/, int /*link*/) {}
  /// A unit's last bit left the sending node; the link is free.
  virtual void OnFree(std::int32_t /*clock_ms*/, int /*record*/, int /*link*/) {}
  /// Circuit data's first bit reached the next router and was passed on.
  virtual void OnPass(std::int32_t /*clock_ms*/, int /*record*/, int /*link*/) {}
  /// A unit's last bit reached the far end of its link; `kind` as before the handling.
  virtual void OnArrive(std::int32_t /*clock_ms*/, int /*record*/, int /*link*/,
                        std::int16_t /*kind*/) {}
  /// The circuit's bottleneck rule has run.
  virtual void OnBottleneck(std::int32_t /*clock_ms*/) {}
};

}  // namespace switchsim
