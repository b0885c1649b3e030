#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/chosen_model.h"
#include "form/form_logic.h"
#include "form/marker.h"
#include "simulation/random_source.h"
#include "records/results_format.h"
#include "form/run_listener.h"
#include "records/run_log.h"
#include "records/run_recorder.h"
#include "records/run_seeds.h"
#include "form/start_gate.h"
#include "classroom/status_texts.h"
#include "text/translation.h"

namespace switchsim {

/// What the readouts around the form may show now. While a question waits
/// for its answer, none that would give a run's time away: every front end
/// shows or hides each from this, and decides none itself.
struct Readouts {
  bool marker_labels = true;  // the labels beside the markers, with their times
  bool results = true;        // the results table, its copies and its export
  bool timing = true;         // the timing table and its export
  bool curves = true;         // Explore's curves and numbers
  bool guide_numbers = true;  // the reading guide's formulas with the numbers filled in
  bool run_log = true;        // the run log's export

  friend bool operator==(const Readouts&, const Readouts&) = default;
};

/// What a Start held while a question waits says, in English, marked for
/// the catalog: it is said translated (Tr).
inline constexpr std::string_view kStartHeldNotice =
    Mark("A question waits: the run starts when you check your answer");

/// What a Start would run now: the boxes' texts, the packet and header size, and `seed`.
RunParameters ParametersOfBoxes(const FormLogic& form, std::uint64_t seed);
/// The parameters the user chose, with `seed`: the boxes, but where the
/// circuit rule wrote a rate (red) the rate the user chose before it.
RunParameters ChosenParameters(const FormLogic& form, std::uint64_t seed);

/// The classroom around the form: it gives every Start a recorded seed
/// (RunSeeds), keeps the JSON Lines log and the timing table of the current
/// run (RunRecorder), the results of the runs that delivered their data, and
/// the texts of the status bar (StatusTexts); and it adds a step of one tick to the run
/// buttons. It knows no toolkit: every front end shows what it says. It
/// hears the form's steps and tells each of its parts in turn.
///
/// It listens to `form` from construction to destruction and reseeds
/// `random`, the form's own source, at every Start; both are borrowed and
/// must outlive it.
class Classroom final : public RunListener, public StartGate {
 public:
  using SeedSource = RunSeeds::Source;

  /// `first_seed` seeds the first run, if given; every later run takes a
  /// fresh seed from `fresh`.
  Classroom(FormLogic& form, Mt64Random& random, std::optional<std::uint64_t> first_seed,
            SeedSource fresh = FreshSeed);
  ~Classroom() override;

  Classroom(const Classroom&) = delete;
  Classroom& operator=(const Classroom&) = delete;

  static std::uint64_t FreshSeed() { return RunSeeds::FreshSeed(); }

  /// Whether Step may tick: a run exists, its timer is stopped and its clock
  /// has not passed the end.
  bool CanStep() const;
  /// One tick, exactly what one period of the timer does; nothing unless CanStep().
  void Step();
  /// The user chose the packet size (`header` false) or the header size as
  /// typed, in blocks: a whole number in its range is taken for the next
  /// Start and said; another text is refused with a notice naming it, and
  /// both sizes stay as they were. Returns whether it was taken.
  bool ChoosePacketing(bool header, const std::string& text);
  /// Starts the run of `parameters` with its seed, as a user would: Reset if
  /// a run exists, the boxes and sizes chosen, then Start. A size the size
  /// box does not list is not run: the form stays as it was, and the
  /// returned line says so and gives the driver's command that runs it.
  /// While the readouts are hidden (a question waits) nothing runs either,
  /// and the line says that the run starts with the answer.
  std::optional<std::string> StartRun(const RunParameters& parameters);
  /// Sets up the form for `parameters` as StartRun does, without starting:
  /// the next Start runs them with their seed. The same refusal as StartRun.
  std::optional<std::string> SetUpRun(const RunParameters& parameters);
  /// Whether the readouts that give a run's times away are hidden, while an
  /// exercise waits for its answer: the marker texts say no time, and the
  /// front ends hide the marker labels, the results, the reading guide's
  /// numbers and the curves; a run's notices then say no time either, and
  /// Start is held (HoldsStart): a question's run starts with its answer.
  bool ReadoutsHidden() const { return readouts_hidden_; }
  /// Which readouts may show: all, or, while the readouts are hidden, none.
  Readouts Shown() const { return readouts_hidden_ ? Readouts{false, false, false, false, false, false} : Readouts{}; }
  void SetReadoutsHidden(bool hidden) { readouts_hidden_ = hidden; }
  /// Hides the markers and clears the traces, for a new question; a run goes on.
  void ClearTraces();
  /// Whether all the data of the current run has reached Receive.
  bool Delivered() const { return delivered_; }
  /// Says `notice`, as the classroom's own notices are said.
  void Announce(std::string notice) { Say(std::move(notice)); }
  /// Says the clock and the run's phase as a notice, for a listener who
  /// asks: "t = 3.250 s, Paused", or "Ended at 15.025 s".
  void SayClock();

  RunPhase Phase() const { return status_.Phase(); }
  std::string ClockText() const { return status_.ClockText(); }
  std::string PhaseText() const { return status_.PhaseText(); }
  const std::string& Notice() const { return status_.Notice(); }
  int NoticeCount() const { return status_.NoticeCount(); }
  std::string NoticesSince(int count) const { return status_.NoticesSince(count); }
  std::string MarkerText(Marker marker) const;

  /// The runs that delivered their data, newest first.
  const std::vector<RunResult>& Results() const { return results_; }
  /// The JSON Lines log of the current (or last) run, in the schema of the
  /// driver's --json: from the start event to the end event once the clock
  /// has passed the end, or to the last tick so far.
  const std::string& RunLogText() const { return recorder_.Text(); }
  /// The timing of the current (or last) run's units, crossing by crossing,
  /// as far as the run has come; empty before the first Start.
  const std::vector<Crossing>& TimingRows() const { return recorder_.TimingRows(); }
  /// Counts every change of TimingRows(), so that a front end shows them anew only then.
  std::uint64_t TimingRevision() const { return recorder_.TimingRevision(); }
  /// Whether there is a run log: Start was pressed.
  bool HasRunLog() const { return recorder_.HasText(); }
  /// The parameters and seed of the current (or last) run; empty before the first Start.
  const std::optional<RunParameters>& CurrentRun() const { return current_; }

  // StartGate: holds Start while the readouts are hidden, and says so.
  bool HoldsStart() override;

  // RunListener.
  void OnRunStart() override;
  void OnTickEnd() override;
  void OnPauseToggled(bool running) override;
  void OnRunReset() override;
  void OnParameterChanged(BoxId box) override;
  void OnRateRefused(int link, const std::string& typed, const std::string& kept) override;
  void OnRateTaken(int link, const std::string& text, bool changed) override;
  void OnDraw(const Stroke& stroke) override;
  void OnCompletion(const Completion& completion) override;
  void OnBottleneck(std::int32_t clock_ms) override;

 private:
  bool DataPending() const;
  double FormulaMs() const;
  /// A notice; `about_a_rate` for a refusal or a note on how a rate was read,
  /// which the next rate taken replaces.
  void Say(std::string notice, bool about_a_rate = false);

  FormLogic& form_;
  Mt64Random& random_;
  RunSeeds seeds_;
  RunRecorder recorder_;
  StatusTexts status_;
  std::vector<RunResult> results_;

  std::optional<RunParameters> current_;
  bool delivered_ = false;
  bool readouts_hidden_ = false;
  std::string delivery_notice_;  // what was said when the run's data had all arrived
  bool changed_ = false;
  bool markers_placed_ = false;  // a marker was placed since the last change cleared them
  bool strokes_drawn_ = false;   // a stroke was drawn since the traces were last cleared
  bool rate_notice_ = false;     // the last notice is about a rate typed
  std::array<bool, kLinkCount> clearing_said_{};  // in the rate box's current edit
  unsigned lowered_links_ = 0;   // the links the circuit rule lowered in this run, one bit each
};

}  // namespace switchsim
