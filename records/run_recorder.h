#pragma once

#include <memory>
#include <string>

#include "form/form_logic.h"
#include "records/run_log.h"
#include "records/timing_table.h"

namespace switchsim {

/// Keeps the record of the current run: its JSON Lines log, in the schema of
/// the driver's --json, and its timing table, both built from the same
/// steps: from Start, when it begins them and lets them hear the form, to
/// the end of the run's clock, when it writes the end event and stops them
/// hearing. `form` is borrowed and must outlive the recorder.
class RunRecorder {
 public:
  explicit RunRecorder(FormLogic& form) : form_(form) {}
  ~RunRecorder();

  RunRecorder(const RunRecorder&) = delete;
  RunRecorder& operator=(const RunRecorder&) = delete;

  /// Begins the log of a run started with `parameters`, forgetting the last.
  void Start(const RunParameters& parameters);
  /// Ends it with the end event and the value of the same model in
  /// continuous time (`continuous_ms`, ms).
  void End(double continuous_ms);
  /// Whether a run's log is being written: from Start until End.
  bool Recording() const { return recording_; }
  /// Whether there is a log: a run was started.
  bool HasText() const { return !text_.empty(); }
  /// The log of the current or last run; empty before the first Start.
  /// Written out when asked for (the strokes wait until then); the text
  /// stays valid until the log changes.
  const std::string& Text() const;
  /// The timing of the current or last run's units, crossing by crossing;
  /// empty before the first Start.
  const std::vector<Crossing>& TimingRows() const;
  /// Counts the changes to the timing rows, across runs.
  std::uint64_t TimingRevision() const { return timing_revisions_ + (timing_ ? timing_->Revision() : 0); }

 private:
  FormLogic& form_;
  std::string text_;  // the log without its strokes, which the log keeps aside
  std::unique_ptr<RunLog> log_;  // of the current or last run
  std::unique_ptr<TimingTable> timing_;  // of the current or last run
  std::uint64_t timing_revisions_ = 0;   // of the runs before it, and one a Start
  bool recording_ = false;
  mutable std::string whole_;      // the log with its strokes, as last asked for
  mutable std::size_t whole_of_ = kNotWritten;  // the log's size then
  static constexpr std::size_t kNotWritten = static_cast<std::size_t>(-1);
};

}  // namespace switchsim
