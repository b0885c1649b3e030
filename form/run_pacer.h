#pragma once

namespace switchsim {

/// Keeps a running timer's ticks on the wall clock. At speed s a tick is due
/// every 25 / s ms of wall time counted from the moment the timer started,
/// however late the wake-ups come, so a run of 15000 ms of clock takes
/// 15 s / s and a late wake-up catches up instead of adding drift. The
/// caller reads the wall clock (ms from any origin, never decreasing) and
/// runs the due ticks; the pacer only counts.
class RunPacer {
 public:
  /// The timer started at `now_ms`: the first tick is due one period later.
  void Start(double now_ms);
  /// From now on ticks are `speed` times as frequent. The next tick is due
  /// one new period after the last one, but never before now.
  void SetSpeed(double speed, double now_ms);
  double Speed() const { return speed_; }

  /// The ticks due by `now_ms` that have not been run.
  long DueTicks(double now_ms) const;
  /// One due tick has been run.
  void Ticked() { ++ticks_; }
  /// Wall time when the next tick is due, in ms.
  double NextDueMs() const;

 private:
  double Period() const;

  double speed_ = 1.0;
  double anchor_ms_ = 0.0;  // when counting started
  long ticks_ = 0;          // ticks run since the anchor
};

}  // namespace switchsim
