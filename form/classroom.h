#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "continuous_time.h"
#include "form_logic.h"
#include "marker.h"
#include "random_source.h"
#include "run_choice.h"
#include "run_listener.h"
#include "run_log.h"

namespace switchsim {

/// A run whose data reached Receive, as the results table shows it.
struct RunResult {
  RunParameters parameters;     // the box texts the run started with, and its seed
  std::int32_t simulated_ms = 0;  // ms: the clock of the last marker the run placed
  double formula_ms = 0.0;        // ms: the same model in continuous time
  bool changed = false;           // a box's change reached its handler during the run
};

/// What a run is doing, as the status bar says it.
enum class RunPhase {
  Ready,        // no run: Start has not been pressed, or Reset was
  EmptyClock,   // no run, but the clock runs: Pause was pressed before Start
  Running,      // the timer runs
  Paused,       // the timer was stopped by the user before the end
  Ended,        // the clock passed the end of a run
};

/// The classroom's view of the form: it gives every Start a recorded seed,
/// keeps the JSON Lines log of the current run, the results of the runs that
/// delivered their data, and the texts of the status bar; and it adds a
/// step of one tick to the run buttons. It knows no toolkit: every front end
/// shows what it says.
///
/// It listens to `form` from construction to destruction (so the form takes
/// no other listener meanwhile) and reseeds `random`, the form's own source,
/// at every Start; both are borrowed and must outlive it.
class Classroom final : public RunListener {
 public:
  /// Gives a fresh seed for a run; the default draws from the system.
  using SeedSource = std::function<std::uint64_t()>;

  /// `first_seed` seeds the first run, if given; every later run takes a
  /// fresh seed from `fresh`.
  Classroom(FormLogic& form, Mt64Random& random, std::optional<std::uint64_t> first_seed,
            SeedSource fresh = FreshSeed);
  ~Classroom() override;

  Classroom(const Classroom&) = delete;
  Classroom& operator=(const Classroom&) = delete;

  /// A seed from the system's entropy, from 1 to 999999 so that it reads well.
  static std::uint64_t FreshSeed();

  /// Whether Step may tick: a run exists, its timer is stopped and its clock
  /// has not passed the end.
  bool CanStep() const;
  /// One tick, exactly what one period of the timer does; nothing unless CanStep().
  void Step();

  RunPhase Phase() const;
  /// "t = 3.25 s": the clock in seconds, with two decimals or three where
  /// the milliseconds need them.
  std::string ClockText() const;
  /// "Ready", "Running", "Paused", "Ended at 15 s", or "Ended at 15 s: data
  /// not delivered within 15 s", and so on.
  std::string PhaseText() const;
  /// The last thing that happened worth a line: a run started, its data
  /// arrived, a typed rate was refused. Empty at first.
  const std::string& Notice() const;
  /// Counts the notices, so that a front end can tell a new one from the same text again.
  int NoticeCount() const { return notice_count_; }
  /// The notices that came after the first `count`, oldest first, as one
  /// text to be read aloud (the last few, should many have come at once).
  std::string NoticesSince(int count) const;

  /// What a marker says to a listener: "Circuit completed at 6375 ms,
  /// formula 6050 ms", "Packet data arriving, the latest at 3200 ms", or
  /// "Circuit marker, not placed".
  std::string MarkerText(Marker marker) const;

  /// The runs that delivered their data, newest first.
  const std::vector<RunResult>& Results() const { return results_; }
  /// The JSON Lines log of the current (or last) run, in the schema of the
  /// driver's --json: from the start event to the end event once the clock
  /// has passed the end, or to the last tick so far.
  const std::string& RunLogText() const { return log_text_; }
  /// The parameters and seed of the current (or last) run; empty before the first Start.
  const std::optional<RunParameters>& CurrentRun() const { return current_; }

  // RunListener.
  void OnRunStart() override;
  void OnTickEnd() override;
  void OnPauseToggled(bool running) override;
  void OnRunReset() override;
  void OnParameterChanged(BoxId box) override;
  void OnRateRefused(int link, const std::string& typed, const std::string& kept) override;
  void OnDraw(const Stroke& stroke) override;
  void OnCompletion(const Completion& completion) override;
  void OnUnitSetUp(int record) override;
  void OnTick(std::int32_t clock_ms, bool ascending) override;
  void OnStop(std::int32_t clock_ms) override;
  void OnGrant(std::int32_t clock_ms, int record, int link) override;
  void OnFree(std::int32_t clock_ms, int record, int link) override;
  void OnPass(std::int32_t clock_ms, int record, int link) override;
  void OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t kind) override;
  void OnBottleneck(std::int32_t clock_ms) override;

 private:
  /// The log while the current run is being recorded, or null.
  RunLog* Recording() { return recording_ ? log_.get() : nullptr; }
  bool DataPending() const;
  void SetNotice(std::string text);

  FormLogic& form_;
  Mt64Random& random_;
  std::optional<std::uint64_t> next_seed_;
  SeedSource fresh_;

  std::optional<RunParameters> current_;
  std::string log_text_;
  std::unique_ptr<RunLog> log_;
  bool recording_ = false;  // from Start until the clock passes the end
  bool delivered_ = false;
  bool changed_ = false;

  std::vector<RunResult> results_;
  int notice_count_ = 0;
  std::vector<std::string> recent_notices_;  // the last few notices, oldest first

  struct MarkerNote {
    std::string technique;  // of the run that placed it
    double formula_ms = 0.0;
    bool completed = false;  // all of that run's data had arrived
  };
  std::array<MarkerNote, 3> marker_notes_{};
  bool markers_placed_ = false;  // a marker was placed since the last change cleared them
  unsigned lowered_links_ = 0;   // the links the circuit rule lowered in this run, one bit each
};

/// The model of the boxes as the user chose them: a rate box the circuit
/// turned red counts at the user's own rate, which Reset brings back, and a
/// rate box whose text is no usable rate at the rate the tick uses.
LinkModel ChosenModel(const FormLogic& form);

/// The headings of the results table's columns.
inline constexpr std::array<std::string_view, 9> kResultHeadings = {
    "Technique",  "Size",          "Rates", "Delays",           "Simulated ms",
    "Formula ms", "Difference ms", "Seed",  "Changed during run"};

/// What the results table shows of a run, column by column: technique, size,
/// rates ("1 / 0.5 / 1"), delays, simulated ms, formula ms, difference ms,
/// seed, and "yes" or "no" for a change during the run.
std::array<std::string, 9> ResultCells(const RunResult& result);

/// The results as a text table with a heading, newest first, one run a line.
std::string ResultsText(const std::vector<RunResult>& results);
/// The results as CSV (RFC 4180) with a heading line, newest first.
std::string ResultsCsv(const std::vector<RunResult>& results);
/// The switchsim-trace command line that runs `parameters` again, with each
/// value quoted for a POSIX shell where it needs it.
std::string TraceCommand(const RunParameters& parameters);
/// "Circuit: 6375 ms, formula 6050 ms".
std::string CompletionNotice(const RunResult& result);
/// A formula's value in ms for a sentence, to a tenth of a ms: "6050", "6287.5".
std::string FormulaText(double ms);
/// A number of ms with one decimal, as the results show formula values: "6050.0".
std::string MsText(double ms);

}  // namespace switchsim
