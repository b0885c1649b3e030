#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "explore/lab_sweep.h"
#include "options/option_table.h"
#include "pictures/drawing.h"
#include "queueing/queue_run.h"
#include "sharing/share_run.h"
#include "text/labelled_line.h"
#include "text/translation.h"

namespace switchsim {

/// What a lab says while a question waits for its answer, in English: a
/// front end shows it as Tr(kLabHeldNotice).
inline constexpr std::string_view kLabHeldNotice =
    Mark("a question waits: the labs show their figures again once it is answered");

/// The two labs of the chapter's second half.
enum class LabKind { Share, Queue };

/// A box of a lab's setting as a front end shows it: the option it sets
/// ("users"), its label, its value as the setting holds it, and a line of help.
struct LabField {
  std::string name;
  std::string label;
  std::string value;
  std::string help;
};

/// A lab as every front end shows it: its setting as the user types it,
/// checked by the option table's own rules; a run made a slice at a time,
/// so that a page keeps answering while it runs; the run's picture and its
/// figures in labelled lines; its JSON as the driver prints it; the link
/// that opens the same run again; and the notices a screen reader hears.
/// Every rule of the labs lives here or below; a front end shows what it
/// says and passes the user's typing on.
class LabSession {
 public:
  explicit LabSession(LabKind kind);

  LabKind Kind() const { return kind_; }
  /// "Shared link" or "Queue", in the language in use.
  std::string Title() const;
  /// The setting's boxes, in order, with their values now.
  std::vector<LabField> Fields() const;
  /// Takes `text` for the box `name` as typed: a value the box refuses is
  /// said (and returned), and the setting keeps what it had. An empty
  /// buffer means no limit.
  std::optional<std::string> Set(const std::string& name, const std::string& text);
  /// Takes the lab's values and seed of a link or command line (`request`
  /// of this lab), and starts its run.
  void Apply(const RunRequest& request);

  /// Starts a run of the setting as it stands, or says (and returns) why it cannot run.
  std::optional<std::string> Start();
  /// Makes the next slice of the run: at most kSliceSlots slots or
  /// kSlicePackets packets. Returns whether the run goes on.
  bool RunSlice();
  bool Running() const;
  bool HasRun() const { return share_ != nullptr || queue_ != nullptr; }
  /// The share of the run made, 0 to 1.
  double Progress() const;

  /// The run so far as a picture; an empty drawing before the first run.
  Drawing Picture() const;
  /// The run's figures, one labelled line each; none before the first run.
  std::vector<LabelledLine> Figures() const;
  /// The run as the driver's --json prints it; "" before the first run.
  std::string Json() const;
  /// The address's query that opens this lab with this setting and seed
  /// and runs it: "share=1&users=35&...&seed=1".
  std::string Query() const;

  /// While a question waits for its answer, a lab shows no figures and
  /// starts no run or curve, so that none gives the answer away; its
  /// notice says so, as the form's held Start does.
  void SetHeld(bool held);
  bool Held() const { return held_; }

  /// The lab's curve around the setting as it stands: its figure against
  /// the users (a shared link) or the intensity (a queue) over `range`
  /// ("FROM:TO:STEP"), with `seeds` seeds from the lab's; or says (and
  /// returns) why it cannot be drawn, and the last curve stays.
  std::optional<std::string> StartCurve(const std::string& range, int seeds);
  /// Makes the next slice of the curve (kSliceSlots slots or kSlicePackets
  /// packets); returns whether it goes on.
  bool RunCurveSlice();
  bool CurveRunning() const { return sweep_ && !sweep_->Done(); }
  double CurveProgress() const { return sweep_ ? sweep_->Progress() : 0.0; }
  /// The curve so far: its picture, as SVG, as CSV and as a table to read;
  /// empty before the first curve.
  Drawing CurvePicture() const;
  std::string CurveSvg() const;
  std::string CurveCsv() const;
  std::string CurveTable() const;

  /// The last notice, and how many there have been (so that each is said once).
  const std::string& Notice() const { return notice_; }
  int NoticeCount() const { return notices_; }
  /// Counts every change a front end shows.
  std::uint64_t Revision() const { return revision_; }

  static constexpr std::int64_t kSliceSlots = 20'000;
  static constexpr std::int64_t kSlicePackets = 50'000;

 private:
  void Say(std::string notice);
  /// Says why the lab did not take a value or a Start: "Shared link: ...".
  void SayRefusal(const std::string& refusal);
  void Finished();

  LabKind kind_;
  RunRequest request_;  // the setting as typed, and its seed
  std::unique_ptr<ShareRun> share_;
  std::unique_ptr<QueueRun> queue_;
  std::unique_ptr<LabSweep> sweep_;
  bool held_ = false;
  std::string notice_;
  int notices_ = 0;
  std::uint64_t revision_ = 0;
};

}  // namespace switchsim
