#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "simulation/constants.h"
#include "simulation/model_units.h"
#include "simulation/observer.h"
#include "simulation/random_source.h"
#include "simulation/record_set.h"
#include "simulation/view.h"

namespace switchsim {

/// One message, packet, circuit data stream or control unit.
struct TransferUnit {
  std::int32_t StartMs = 0;  // ms: clock when the unit was last started on its link
  std::int16_t Blocks = 0;   // length in blocks of 20 message-size units
  Rgb Colour = kBlack;
  std::int16_t Link = 0;      // link it is on or waiting for: 0, 1 or 2
  std::int16_t Forward = 0;   // kTrue: towards Receive; kFalse: back towards Transmit
  std::int16_t Kind = 0;      // kKindMessage ... kKindPassedOnData
  std::int16_t Status = 0;    // kIdle, kWaiting or kOnLink
  double Tail = 0.0;          // last bit, fraction of the link, from the last tick
  double Head = 0.0;          // first bit, fraction of the link, from the last tick
};

/// Everything a run remembers between ticks.
struct SimulationState {
  std::int32_t ClockMs = 0;           // ms since the last reset
  std::int16_t DataReleased = kFalse;  // while false only control units take links
  std::array<TransferUnit, kRecordCount> UnitTable{};
  std::array<std::int16_t, kLinkSlots> LinkBusy{};  // kTrue while a unit puts its bits on link k
  /// The last usable rate chosen for each link (blocks per 100 ms); slot 3 is
  /// unused. Usable from the start, so that no tick can ever divide by a rate
  /// of 0; the window's load records its own rates before any run.
  std::array<double, kLinkSlots> SavedRates{1.0, 1.0, 1.0, 1.0};
};

/// The transfer simulation: its state, the reset, the set-up of a run and the
/// tick. It reads and writes its window only through `view` and draws its
/// random numbers from `random`; both are borrowed and must outlive it.
class Simulation {
 public:
  Simulation(SimulationView& view, RandomSource& random);

  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;

  /// Returns to idle: clock 0, every record idle, links free, timer stopped,
  /// rate boxes showing the saved rates in black, traces cleared.
  void ResetSimulation();
  /// Fills the unit table for the technique in the technique box.
  void SetUpTransfer();
  /// One timer period: advance the clock, grant links, move, hand over and draw units.
  void SimulationTick();

  /// Remembers the rate box's current number as the link's saved rate, if it
  /// is usable; an unusable one leaves the saved rate as it was.
  void RecordRate(int link);

  /// The rate the tick uses for a link: the box's leading number when it is
  /// a usable rate, otherwise the saved rate.
  double TickRate(int link) const;

  /// How the next set-up cuts and addresses the message; a packeting out
  /// of its ranges is refused (returns false) and the last one stays.
  bool SetPacketing(const Packeting& packeting);
  const Packeting& packeting() const { return packeting_; }

  /// Starts or stops reporting steps to `observer` (not owned; may be null).
  void SetObserver(SimulationObserver* observer) { observer_ = observer; }

  const SimulationState& State() const { return state_; }

 private:
  // A link's delay and rate number, read from its boxes at most once a tick
  // and parsed again only when a text has changed.
  struct LinkReading {
    std::string delay_text;
    std::string rate_text;
    double delay = 0.0;
    double rate_number = 0.0;
    bool read = false;   // the texts have been read at least once
    bool fresh = false;  // read during this tick, and unchanged since
  };

  SimulationObserver& Observer() const;
  void SetStatus(int record, std::int16_t status);
  const LinkReading& ReadLink(int link);
  void GrantLinks(bool ascending);
  void MoveUnit(int record);
  void PassOnCircuitData(int record, int link);
  void HandleArrival(int record, int link);
  void ApplyBottleneck();
  std::int16_t MessageBlocks() const;

  SimulationView& view_;
  RandomSource& random_;
  SimulationObserver* observer_ = nullptr;
  SimulationState state_;
  Packeting packeting_;
  RecordSet live_;  // the records whose Status is not idle
  std::array<LinkReading, kLinkCount> links_;
};

}  // namespace switchsim
