#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "labs/lab_session.h"
#include "options/option_table.h"

namespace switchsim {

/// The Labs section behind the page: the shared link's lab and the queue's,
/// each a LabSession, numbered as the page's tabs are (0 the shared link,
/// 1 the queue), and what the section shows of them as JSON. A number that
/// is no lab is taken as no lab: what it asks of is "" or refused. While a
/// question waits for its answer, both labs are held (SetHeld): they show
/// nothing and start nothing, and say why.
class WebLabs {
 public:
  WebLabs();

  /// The lab's title, boxes and its curve's usual range and seeds:
  /// {"title", "fields": [{"name", "label", "value", "help"}], "curveRange", "curveSeeds"}.
  std::string FieldsJson(int lab) const;
  /// Takes `text` for the box `name` of `lab`; "" or why it is refused (the box keeps its value).
  std::string Set(int lab, const std::string& name, const std::string& text);
  /// Starts a run of `lab`'s setting; "" or why it cannot run.
  std::string Start(int lab);
  /// Makes the next slice of `lab`'s run; whether it goes on.
  bool RunSlice(int lab);
  /// The share of `lab`'s run made, 0 to 1.
  double Progress(int lab) const;
  /// Where `lab` stands: {"running", "hasRun", "progress", "revision", "curveRunning",
  /// "hasCurve", "curveProgress", "held"}; "held" is what the lab says while held, else "".
  std::string StateJson(int lab) const;
  /// `lab`'s run so far as a drawing (see DrawingJson); "null" before its first run.
  std::string PictureJson(int lab) const;
  /// `lab`'s figures: [{"label", "text"}]; [] before its first run.
  std::string FiguresJson(int lab) const;
  /// `lab`'s run as the driver's --json prints it; "" before its first run.
  std::string Json(int lab) const;
  /// The query of the link that opens `lab` with its setting and runs it.
  std::string Query(int lab) const;
  /// Starts `lab`'s curve over `range` ("FROM:TO:STEP" of its users or
  /// intensity) with the number of seeds `seeds` as typed; "" or why it cannot
  /// be drawn (the last curve stays).
  std::string StartCurve(int lab, const std::string& range, const std::string& seeds);
  /// Makes the next slice of `lab`'s curve; whether it goes on.
  bool RunCurveSlice(int lab);
  /// `lab`'s curve so far as a drawing (see DrawingJson); "null" when it shows none.
  std::string CurvePictureJson(int lab) const;
  /// `lab`'s curve as the driver's --svg, --csv and its table print it; "" when it shows none.
  std::string CurveSvg(int lab) const;
  std::string CurveCsv(int lab) const;
  std::string CurveTable(int lab) const;

  /// Holds both labs while a question waits for its answer, or lets them go.
  void SetHeld(bool held);
  bool Held() const { return labs_[0].Held(); }

  /// Takes a link's `request` of a lab and starts its run; returns its number.
  int Apply(const RunRequest& request);

  /// How many notices both labs have said, and those after the first
  /// `count`, joined by ". ", to be read aloud.
  int NoticeCount() const { return static_cast<int>(notices_.size()); }
  std::string NoticesSince(int count) const;

 private:
  LabSession* Lab(int lab);
  const LabSession* Lab(int lab) const;
  /// Keeps the notice `session` said since last asked.
  void Heard(const LabSession& session);

  std::array<LabSession, 2> labs_;
  std::array<int, 2> heard_{};  // each lab's notices kept so far
  std::vector<std::string> notices_;
};

}  // namespace switchsim
