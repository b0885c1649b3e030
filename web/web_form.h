#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "form/box_texts.h"
#include "classroom/classroom.h"
#include "exercises/exercise.h"
#include "form/form_logic.h"
#include "form/form_surface.h"
#include "text/json_writer.h"
#include "form/keeping_surface.h"
#include "form/margins.h"
#include "look/presentation.h"
#include "look/zoom.h"
#include "simulation/random_source.h"
#include "form/run_pacer.h"
#include "options/option_table.h"

namespace switchsim {

/// One drawing step for the page's canvases, six numbers wide: a kind, the
/// link, then for a stroke its left and right end in pixels of the trace's
/// drawing area, its pixel row and its colour as 0xRRGGBB.
inline constexpr int kDrawStepSize = 6;
inline constexpr double kClearStep = 0.0;
inline constexpr double kStrokeStep = 1.0;

/// The form behind the web page: the controls' state as plain values, the
/// form's handlers and the classroom around them, and the wall-clock pacing
/// of the timer. The page renders what it says and forwards the user's
/// actions, each with the wall clock in ms (any origin, never decreasing);
/// strokes and clearings wait in a list of drawing steps until the page
/// takes them.
class WebForm final : public FormSurface {
 public:
  /// The first run takes `first_seed`, if given; later runs fresh seeds.
  explicit WebForm(std::optional<std::uint64_t> first_seed = std::nullopt,
                   Classroom::SeedSource fresh = Classroom::FreshSeed);

  WebForm(const WebForm&) = delete;
  WebForm& operator=(const WebForm&) = delete;

  /// What the controls show now: the boxes' texts and colours, the
  /// captions, the markers and their labels (none while the readouts are
  /// hidden), the status texts, and "shown": which readouts may show
  /// (Classroom::Shown). A JSON object.
  std::string State() const;
  /// The results, newest first, each with its cells and its command. A JSON array.
  std::string ResultsJson() const;
  /// The current run's timing table, a row a crossing of a link, each row
  /// its cells as the table shows them. A JSON array of arrays of texts.
  std::string TimingJson() const;

  /// The user set a box's text (by choosing an item or typing).
  void UserSetBox(BoxId box, const std::string& text, double now_ms);
  /// The user finished typing in a rate box.
  void UserFinishedRate(int link, double now_ms);
  /// The user typed the packet size (`header` false) or the header size;
  /// the classroom takes it or says why not.
  void UserSetPacketing(bool header, const std::string& text);
  /// Run button 0 (Start/Reset) or 1 (Pause/Cont) was pressed.
  void Click(int button, double now_ms);
  /// Starts the run of `parameters` with its seed in the form, or returns
  /// why the form cannot show it (see Classroom::StartRun); "" when started.
  std::string StartRun(const RunParameters& parameters, double now_ms);
  /// One tick while the run is paused.
  void Step(double now_ms);
  /// Calls `hook` after every tick from now on, run or stepped.
  void SetAfterTick(std::function<void()> hook) { after_tick_ = std::move(hook); }
  /// Something State() says changed outside the form (an exercise hid the readouts).
  void NoteChange() { ++changes_; }
  /// Runs the ticks due by `now_ms`, at most a few dozen, so that the page
  /// keeps answering while it catches up; returns how many ran.
  int RunDueTicks(double now_ms);
  /// Sets the speed to kSpeeds[index]; other indices do nothing.
  void SetSpeedIndex(int index, double now_ms);
  /// Takes a shared link's query: sets the boxes, the speed and maybe
  /// starts, or keeps a lab's request for the page to open (LinkLab); or
  /// changes nothing and returns the notice that names the bad parameter.
  std::string ApplyQuery(const std::string& query, double now_ms);
  /// What the last link taken asks of the view, as a JSON object: "zoom"
  /// (its name, or null when not given), "projector" (true, false, or null
  /// when not given), "embed", "exercises" (the sheet of the site it names,
  /// or null), "course" (whether it names the built-in course instead) and
  /// "predict" (whether it asks for a prediction of its run) and "lab"
  /// ("share" or "queue" for a link that opens a lab, or null).
  std::string LinkView() const;
  /// The lab's request of the last link taken, if it opens a lab (share or
  /// queue): the form takes nothing of such a link but its view.
  const std::optional<RunRequest>& LinkLab() const { return link_lab_; }
  /// The one exercise the last link taken asks for with "predict", if it does.
  const std::optional<ExerciseSheet>& LinkSheet() const { return link_sheet_; }
  /// The query of a link to the page as it is now, with the view's `zoom` and `projector`;
  /// with the language of the link taken when it named one (lang=), else
  /// without, so that the link opens in its receiver's language.
  std::string ShareQuery(const Zoom& zoom, bool projector) const;

  /// The form is shown at `presentation`; the marker labels and the time
  /// scale follow, at least `least_shown_px` tall as shown where they fit.
  void SetPresentation(const Presentation& presentation, double least_shown_px);

  /// The drawing steps since they were last taken, kDrawStepSize numbers each.
  const std::vector<double>& DrawSteps() const { return draw_steps_; }
  void TakeDrawSteps() { draw_steps_.clear(); }
  /// Counts every change of what State() says but the clock, so that the
  /// page rebuilds what it shows only then; a tick that changes only the
  /// clock leaves it be.
  std::uint64_t Changes() const {
    return changes_ + static_cast<std::uint64_t>(classroom_->NoticeCount());
  }

  /// The form as it shows now as an SVG document, at its own size, with
  /// `additions` in its margins: the drawing of the window's Save Picture;
  /// without the marker labels while the readouts are hidden.
  std::string SvgPicture(const Additions& additions) const;

  Classroom& classroom() { return *classroom_; }
  FormLogic& logic() { return logic_; }

  // FormSurface.
  void FillList(BoxId box, std::span<const std::string_view> items) override;
  std::string BoxText(BoxId box) const override;
  void SetBoxText(BoxId box, std::string_view text) override;
  void SetRateColour(int link, Rgb colour) override;
  void SetRateLabelColour(int link, Rgb colour) override;
  void SetCaption(int button, std::string_view caption) override;
  void ClearTrace(int link) override;
  TraceScale ScaleOf(int link) const override;
  void DrawLine(int link, double x1, double y1, double x2, double y2, Rgb colour) override;
  void ShowMarker(Marker marker, double y_twips, Rgb colour) override;
  void HideMarker(Marker marker) override;
  void SetTimerRunning(bool running) override;

 private:
  void WriteMarkers(JsonWriter& json) const;

  double now_ms_ = 0.0;  // the wall clock at the page's last call
  BoxTexts texts_;
  std::array<Rgb, kTechniqueCount> marker_colours_{};
  bool timer_running_ = false;
  RunPacer pacer_;
  std::vector<double> draw_steps_;
  std::uint64_t changes_ = 0;
  MarginText margin_text_;
  std::optional<Zoom> link_zoom_;
  std::optional<bool> link_projector_;
  bool link_embed_ = false;
  std::optional<std::string> link_exercises_;
  std::optional<std::string> link_language_;
  std::optional<ExerciseSheet> link_sheet_;
  std::optional<RunRequest> link_lab_;
  std::function<void()> after_tick_;

  Classroom::SeedSource fresh_;
  Mt64Random random_;
  KeepingSurface kept_;  // this form, keeping the strokes for its picture
  FormLogic logic_;
  std::unique_ptr<Classroom> classroom_;
};

}  // namespace switchsim
