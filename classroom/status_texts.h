#pragma once

#include <array>
#include <string>
#include <vector>

#include "form/form_logic.h"
#include "form/marker.h"

namespace switchsim {

/// What a run is doing, as the status bar says it.
enum class RunPhase {
  Ready,       // no run: Start has not been pressed, or Reset was
  EmptyClock,  // no run, but the clock runs: Pause was pressed before Start
  Running,     // the timer runs
  Paused,      // the timer was stopped by the user before the end
  Ended,       // the clock passed the end of a run
};

/// "t = 3.250 s": `clock_ms` of clock as the status bar's clock shows it, in
/// seconds with three decimals, in the language in use.
std::string ClockTextOf(std::int32_t clock_ms);

/// The texts of the status bar and of the markers, as every front end shows
/// them and a screen reader hears them: the clock, the run's phase, the
/// notices of what happened, and what each marker stands for. `form` is
/// borrowed and must outlive the texts.
class StatusTexts {
 public:
  explicit StatusTexts(const FormLogic& form) : form_(form) {}

  RunPhase Phase() const;
  /// "t = 3.250 s": the clock in seconds, always with three decimals.
  std::string ClockText() const;
  /// "Ready", "Running", "Paused", "Ended at 15.025 s" (the clock's last
  /// reading, as the clock shows it), and so on.
  std::string PhaseText() const;

  /// A new notice: something worth a line happened.
  void Say(std::string notice);
  /// The last notice; empty at first.
  const std::string& Notice() const;
  /// Counts the notices, so that a front end can tell a new one from the same text again.
  int NoticeCount() const { return notice_count_; }
  /// The notices that came after the first `count`, oldest first, as one
  /// text to be read aloud (the last few, should many have come at once).
  std::string NoticesSince(int count) const;

  /// What the marker placed last stands for: a run whose formula gives
  /// `formula_ms`, and whether all of its data had arrived.
  void NoteMarker(Marker marker, double formula_ms, bool completed);
  /// "Circuit completed at 6375 ms, formula 6050 ms", "Packet data
  /// arriving" (the same text until the last packet has arrived), or
  /// "Circuit marker, not placed".
  std::string MarkerText(Marker marker) const;
  /// Which of the techniques whose markers show a completion delivered
  /// first: "Packet first at 4550 ms, then Circuit 6375 ms, Message 6900
  /// ms"; empty unless two or three do.
  std::string FirstDelivered() const;

 private:
  struct MarkerNote {
    double formula_ms = 0.0;
    bool completed = false;  // all of that run's data had arrived
  };

  const FormLogic& form_;
  int notice_count_ = 0;
  std::vector<std::string> recent_notices_;  // the last few notices, oldest first
  std::array<MarkerNote, kTechniqueCount> marker_notes_{};
};

}  // namespace switchsim
