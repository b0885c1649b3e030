#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "constants.h"

namespace switchsim {

/// The completion markers right of the last trace, one per technique.
enum class Marker { Message, Circuit, Packet };

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
  std::int32_t clock_ms = 0;  // ms; the stroke lies ClockMs / 2 twips down the trace
};

/// A unit whose completion places a technique's marker.
struct Completion {
  int record = 0;
  Marker marker = Marker::Message;
  std::int32_t clock_ms = 0;  // ms
  double y_twips = 0.0;       // twips from the top of the window's client area
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
  /// handler (Simulation::RateBoxChanged) runs before this returns, as it does
  /// for any change of the box.
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
  /// Moves the completion's marker to its height, recolours and shows it.
  virtual void UnitCompleted(const Completion& completion) = 0;
  /// Hides the three markers, in the order message, circuit, packet.
  virtual void HideMarkers() = 0;

  virtual void SetTimerEnabled(bool enabled) = 0;
  virtual bool TimerEnabled() const = 0;
  /// The timer's period in ms of clock.
  virtual int TimerIntervalMs() const = 0;
};

}  // namespace switchsim
