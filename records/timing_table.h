#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "form/run_listener.h"
#include "simulation/simulation.h"
#include "simulation/view.h"

namespace switchsim {

/// One crossing of one link by one record: a record that crosses a link
/// twice, or back (the circuit's request returning as an acknowledgement,
/// the release), has a crossing for each. Times are ms of clock, on the
/// tick each happened; empty while it has not happened.
struct Crossing {
  int record = 0;
  std::string unit;  // as the run log names it when the crossing begins
  int link = 0;      // 0 to 2, numbered from Transmit
  bool forward = true;
  std::optional<std::int32_t> first_left;     // granted the link, or put on it
  std::optional<std::int32_t> last_left;      // the link freed
  std::optional<std::int32_t> first_arrived;  // the first tick the first bit was at the far end
  std::optional<std::int32_t> last_arrived;   // the first tick the last bit was past the far end
  std::optional<std::int32_t> delivered;      // the data at Receive placed its marker

  friend bool operator==(const Crossing&, const Crossing&) = default;
};

/// The timing of a run's units, crossing by crossing, in the order they
/// began, built from the steps of the run as the run log hears them: a
/// grant (or a unit put on its link at set-up, or circuit data passed on)
/// begins a crossing, a release of the link is its last bit leaving, the
/// first stroke with the head at the far end (or the pass, or the arrival)
/// its first bit arriving, the arrival (or, for circuit data passed on, the
/// first stroke with the tail past the end) its last bit arriving, and a
/// completion its delivery. `simulation` and `boxes` are borrowed and must
/// outlive the table; they name the units as the log does.
class TimingTable final : public RunListener {
 public:
  TimingTable(const Simulation& simulation, const SimulationView& boxes)
      : simulation_(simulation), boxes_(boxes) {
    under_way_.fill(kNone);
    latest_.fill(kNone);
  }

  /// The crossings so far, in the order they began.
  const std::vector<Crossing>& Rows() const { return rows_; }
  /// Counts the changes to the rows, so that a reader can tell whether to show them anew.
  std::uint64_t Revision() const { return revision_; }

  void OnUnitSetUp(int record) override;
  void OnGrant(std::int32_t clock_ms, int record, int link) override;
  void OnFree(std::int32_t clock_ms, int record, int link) override;
  void OnPass(std::int32_t clock_ms, int record, int link) override;
  void OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t kind) override;
  void OnDraw(const Stroke& stroke) override;
  void OnCompletion(const Completion& completion) override;

 private:
  static constexpr int kNone = -1;

  void Begin(int record, int link, std::int16_t kind, bool forward, std::int32_t clock_ms);
  /// The record's crossing under way on `link`, or null.
  Crossing* UnderWay(int record, int link);
  /// Sets `time` to `clock_ms` unless it is set.
  void Note(std::optional<std::int32_t>& time, std::int32_t clock_ms);

  const Simulation& simulation_;
  const SimulationView& boxes_;
  std::vector<Crossing> rows_;
  std::array<int, kRecordCount> under_way_{};  // each record's row under way, or kNone
  std::array<int, kRecordCount> latest_{};     // each record's latest row, or kNone
  std::uint64_t revision_ = 0;
};

}  // namespace switchsim
