#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "recording_view.h"
#include "simulation/simulation.h"
#include "simulation/view.h"

namespace switchsim::testing {

/// What a window shows of one completion marker.
struct MarkerFacts {
  bool shown = false;
  double y_twips = 0.0;  // height on the window, in twips from the top of its client area
};

/// What a window shows beyond its SimulationView: the markers and the run
/// buttons' captions. A view without them leaves them empty and their checks
/// are skipped.
struct WindowFacts {
  std::optional<std::array<MarkerFacts, 3>> markers;  // message, circuit, packet
  std::optional<std::array<std::string, 2>> captions;  // cmdStart(0), cmdStart(1)
};

/// The recording view with the three markers of a window: shown, hidden and
/// moved as the simulation asks.
class MarkerView : public RecordingView {
 public:
  std::array<MarkerFacts, 3> markers{};

  void ShowMarker(Marker marker, double y_twips, Rgb colour) override;
  void HideMarker(Marker marker) override;

  /// The markers, and no captions.
  WindowFacts Facts() const;
};

/// Checks, step by step, what must always hold of a simulation and its
/// window: the records' codes, the clock, the saved rates, the state straight
/// after a reset, the run buttons' captions and the completion markers.
///
/// The driver of the steps tells the checker what it did (ticks, resets,
/// starts of a run) and asks for a check after every action; each check
/// returns the violations found, as readable lines, empty when all holds.
/// The checker compares each check with the one before, so it must see every
/// action after it was made.
class InvariantChecker {
 public:
  using FactsReader = std::function<WindowFacts()>;

  /// `simulation` and `view` are borrowed; `facts` may be empty.
  InvariantChecker(const Simulation& simulation, const SimulationView& view,
                   FactsReader facts = {});

  /// One call of the tick happened.
  void NoteTick();
  /// ResetSimulation ran: the clock starts again from 0 and no run exists.
  void NoteReset();
  /// A run was set up (Start).
  void NoteRunStarted();

  /// Checks everything that must hold after any action.
  std::vector<std::string> Check();
  /// Check(), plus what must hold straight after ResetSimulation.
  std::vector<std::string> CheckAfterReset();

 private:
  struct Boxes {
    std::array<std::string, kLinkCount> delays;
    std::array<std::string, kLinkCount> rates;
    std::array<Rgb, kLinkCount> rate_colours{};
    std::string size;
  };

  Boxes ReadBoxes() const;
  void CheckRecords(std::vector<std::string>& out) const;
  void CheckClock(std::vector<std::string>& out) const;
  void CheckSavedRates(std::vector<std::string>& out) const;
  void CheckCaptions(const WindowFacts& facts, std::vector<std::string>& out) const;
  void CheckMarkers(const WindowFacts& facts, const Boxes& boxes, std::vector<std::string>& out);

  const Simulation& simulation_;
  const SimulationView& view_;
  FactsReader facts_;
  std::int64_t expected_clock_ms_;
  int ticks_since_check_ = 0;
  bool run_exists_ = false;
  Boxes boxes_;
  std::optional<std::array<MarkerFacts, 3>> markers_;
};

/// Joins violations into one text, a line each, for a test's failure message.
std::string Describe(const std::vector<std::string>& violations);

}  // namespace switchsim::testing
