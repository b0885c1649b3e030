#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "simulation/constants.h"

namespace switchsim {

/// One tick's stroke of a unit on a link's trace. Positions are fractions of
/// the link from its sending end (0) to its receiving end (1), as the tick
/// computed them; tail may exceed 1 for circuit data already passed on.
struct Stroke {
  int record = 0;
  int link = 0;             // 0, 1 or 2
  double head = 0.0;        // first bit, 0 to 1
  double tail = 0.0;        // last bit, 0 or more
  bool forward = true;      // false: travelling back, drawn mirrored
  Rgb colour = kBlack;
  std::int32_t clock_ms = 0;  // ms: the clock of the tick that made the stroke
};

/// A message, packet, release unit or circuit data stream whose last bit has
/// reached Receive.
struct Arrival {
  int record = 0;
  std::int16_t kind = 0;      // Kind of the record as it arrived
  std::int32_t clock_ms = 0;  // ms
  Rgb colour = kBlack;
};

/// What the simulation needs of its window. The window implements it (the
/// headless driver too); the simulation holds a non-owning reference, so the
/// view must outlive it. Link indices are 0, 1 or 2.
class SimulationView {
 public:
  virtual ~SimulationView() = default;

  /// Current texts of the technique, message-size, delay and rate boxes.
  virtual std::string MethodText() const = 0;
  virtual std::string MessageSizeText() const = 0;
  virtual std::string DelayText(int link) const = 0;
  virtual std::string RateText(int link) const = 0;

  /// Sets a rate box's text. When the text really changes, the box's change
  /// handler runs before this returns, as it does for any change of the box.
  virtual void SetRateText(int link, std::string_view text) = 0;
  virtual Rgb RateColour(int link) const = 0;
  virtual void SetRateColour(int link, Rgb colour) = 0;
  /// Fore colour of the link's "Bit-Rate" label.
  virtual Rgb RateLabelColour(int link) const = 0;
  virtual void SetRateLabelColour(int link, Rgb colour) = 0;

  /// Removes every stroke from the link's trace.
  virtual void ClearTrace(int link) = 0;
  /// Draws one tick's stroke of a unit.
  virtual void DrawUnit(const Stroke& stroke) = 0;
  /// A unit arrived at Receive; the view decides which marker, if any, it places.
  virtual void UnitCompleted(const Arrival& arrival) = 0;

  virtual void SetTimerEnabled(bool enabled) = 0;
  virtual bool TimerEnabled() const = 0;
  /// The timer's period in ms of clock.
  virtual int TimerIntervalMs() const = 0;
};

}  // namespace switchsim
