#include "web/web_form.h"

#include <algorithm>
#include <cmath>

#include "form/box_lists.h"
#include "look/colours.h"
#include "form/due_ticks.h"
#include "options/exercise_link.h"
#include "pictures/form_drawing.h"
#include "text/json_writer.h"
#include "look/layout.h"
#include "look/line_pixels.h"
#include "form/lists.h"
#include "form/margins.h"
#include "options/page_address.h"
#include "exercises/exercise_course.h"
#include "options/sheet_address.h"
#include "form/speed.h"
#include "pictures/svg_writer.h"
#include "records/timing_format.h"

namespace switchsim {
namespace {

using layout::Px;

}  // namespace

WebForm::WebForm(std::optional<std::uint64_t> first_seed, Classroom::SeedSource fresh)
    : fresh_(std::move(fresh)),
      random_(first_seed.value_or(0)),
      kept_(*this),
      logic_(kept_, random_) {
  for (int t = 0; t < kTechniqueCount; ++t) marker_colours_[t] = kTechniques[t].colour;
  logic_.Form_Load();
  classroom_ = std::make_unique<Classroom>(logic_, random_, first_seed, fresh_);
}

std::string WebForm::SvgPicture(const Additions& additions) const {
  Additions shown = additions;
  if (!classroom_->Shown().marker_labels) shown.marker_labels = false;
  return SvgText(FormDrawing(logic_, kept_, shown));
}

std::string WebForm::State() const {
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("boxes").Open('{');
  for (const BoxId box : kBoxes) json.Key(BoxName(box)).Text(texts_[box]);
  json.Close('}');
  json.Key("rateColours").Open('[');
  for (int k = 0; k < kLinkCount; ++k) json.Colour(logic_.RateColour(k));
  json.Close(']').Key("labelColours").Open('[');
  for (int k = 0; k < kLinkCount; ++k) json.Colour(logic_.RateLabelColour(k));
  json.Close(']').Key("captions").Open('[').Text(logic_.Caption(0)).Text(logic_.Caption(1));
  json.Close(']');
  WriteMarkers(json);
  json.Key("phase").Text(classroom_->PhaseText());
  json.Key("running").Bool(classroom_->Phase() == RunPhase::Running);
  json.Key("notice").Text(classroom_->Notice()).Key("noticeCount").Integer(classroom_->NoticeCount());
  json.Key("clock").Text(classroom_->ClockText());
  json.Key("clockMs").Integer(logic_.simulation().State().ClockMs);
  json.Key("speed").Integer(static_cast<long long>(SpeedIndex(pacer_.Speed())));
  json.Key("canStep").Bool(classroom_->CanStep());
  json.Key("results").Integer(static_cast<long long>(classroom_->Results().size()));
  json.Key("hasLog").Bool(classroom_->HasRunLog());
  const Readouts readouts = classroom_->Shown();
  json.Key("shown").Open('{').Key("markerLabels").Bool(readouts.marker_labels);
  json.Key("results").Bool(readouts.results).Key("timing").Bool(readouts.timing);
  json.Key("curves").Bool(readouts.curves).Key("guideNumbers").Bool(readouts.guide_numbers);
  json.Key("runLog").Bool(readouts.run_log).Close('}');
  json.Key("packet").Integer(logic_.simulation().packeting().packet_blocks);
  json.Key("header").Integer(logic_.simulation().packeting().header_blocks);
  json.Close('}');
  return out;
}

void WebForm::WriteMarkers(JsonWriter& json) const {
  const auto& kMarkerLines = layout::kMarkerLines;
  json.Key("markers").Open('[');
  for (std::size_t m = 0; m < kMarkerLines.size(); ++m) {
    const MarkerState& state = logic_.Markers()[m];
    const layout::TwipsLine& line = kMarkerLines[m];
    const double y = state.visible ? state.y_twips : line.y1;
    const PixelRect rect = LinePixels(line.x1, y, line.x2, y, layout::kMarkerWidthPx);
    json.Open('{').Key("visible").Bool(state.visible);
    json.Key("text").Text(classroom_->MarkerText(static_cast<Marker>(m)));
    json.Key("rect").Open('[').Integer(rect.left).Integer(rect.top).Integer(rect.width);
    json.Integer(rect.height).Close(']');
    json.Key("colour").Colour(marker_colours_[m]).Close('}');
  }
  json.Close(']');
  const int strip_top = Px(layout::kMarkerLabelStrip.top);
  const auto row = [strip_top](double y_twips) {
    return std::lround(y_twips / layout::kTwipsPerPixel) - strip_top;
  };
  json.Key("marginText").Open('{').Key("font").Integer(margin_text_.font_px);
  json.Key("line").Integer(margin_text_.line_px).Key("bold").Bool(margin_text_.bold);
  json.Key("fits").Bool(margin_text_.fits).Close('}');
  json.Key("markerLabels").Open('[');
  const auto labels = !classroom_->Shown().marker_labels
                          ? std::vector<MarkerLabel>()
                          : LayOutMarkerLabels(logic_.Markers(),
                                               margin_text_.line_px * layout::kTwipsPerPixel,
                                               margin_text_.unit);
  for (const MarkerLabel& label : labels) {
    json.Open('{').Key("text").Text(label.text);
    json.Key("markerRow").Integer(row(label.marker_y_twips));
    json.Key("labelRow").Integer(row(label.label_y_twips)).Close('}');
  }
  json.Close(']');
}

std::string WebForm::ResultsJson() const {
  std::string out;
  JsonWriter json(out);
  json.Open('[');
  for (const RunResult& result : classroom_->Results()) {
    json.Open('{').Key("cells").Open('[');
    for (const std::string& cell : ResultCells(result)) json.Text(cell);
    json.Close(']').Key("command").Text(TraceCommand(result.parameters)).Close('}');
  }
  json.Close(']');
  return out;
}

std::string WebForm::TimingJson() const {
  std::string out;
  JsonWriter json(out);
  json.Open('[');
  for (const Crossing& row : classroom_->TimingRows()) {
    json.Open('[');
    for (const std::string& cell : TimingCells(row)) json.Text(cell);
    json.Close(']');
  }
  json.Close(']');
  return out;
}

void WebForm::UserSetBox(BoxId box, const std::string& text, double now_ms) {
  now_ms_ = now_ms;
  if (!BoxHolds(box, text)) return;
  SetBoxText(box, text);
  logic_.BoxChanged(box);
}

void WebForm::UserFinishedRate(int link, double now_ms) {
  now_ms_ = now_ms;
  if (link < 0 || link >= kLinkCount) return;
  logic_.RateEditingFinished(link);
  ++changes_;
}

void WebForm::Click(int button, double now_ms) {
  now_ms_ = now_ms;
  logic_.cmdStart_Click(button);
  ++changes_;
}

std::string WebForm::StartRun(const RunParameters& parameters, double now_ms) {
  now_ms_ = now_ms;
  const auto refusal = classroom_->StartRun(parameters);
  ++changes_;
  return refusal.value_or("");
}

void WebForm::Step(double now_ms) {
  now_ms_ = now_ms;
  const bool ticks = classroom_->CanStep();
  classroom_->Step();
  if (ticks && after_tick_) after_tick_();
  ++changes_;
}

int WebForm::RunDueTicks(double now_ms) {
  now_ms_ = now_ms;
  if (!timer_running_) return 0;
  if (!after_tick_) return static_cast<int>(switchsim::RunDueTicks(pacer_, logic_, now_ms));
  // As RunDueTicks, with the hook after each tick; what is due is counted
  // anew each time, since the hook may start another run.
  int ran = 0;
  while (ran < kMostTicksAWake && logic_.TimerEnabled() && pacer_.DueTicks(now_ms) > 0) {
    pacer_.Ticked();
    logic_.Timer1_Timer();
    ++ran;
    after_tick_();
  }
  return ran;
}

void WebForm::SetSpeedIndex(int index, double now_ms) {
  now_ms_ = now_ms;
  if (index < 0 || index >= static_cast<int>(kSpeeds.size())) return;
  pacer_.SetSpeed(kSpeeds.at(static_cast<std::size_t>(index)).factor, now_ms);
  ++changes_;
}

void WebForm::UserSetPacketing(bool header, const std::string& text) {
  classroom_->ChoosePacketing(header, text);
  ++changes_;  // the boxes show the sizes as they are, taken or not
}

std::string WebForm::ApplyQuery(const std::string& query, double now_ms) {
  now_ms_ = now_ms;
  auto read = ReadPageQuery(query);
  if (const auto* error = std::get_if<std::string>(&read)) return *error;
  const PageRequest& request = std::get<PageRequest>(read);
  link_zoom_ = request.zoom;
  link_projector_ = request.Given("projector") ? std::optional<bool>(request.projector) : std::nullopt;
  link_embed_ = request.embed;
  link_exercises_ = request.exercises;
  link_language_ = request.language;
  link_lab_.reset();
  ++changes_;
  if (request.share || request.queue) {
    link_lab_ = request;  // a lab's link opens the lab and leaves the form as it is
    link_sheet_.reset();
    return {};
  }
  if (request.Given("seed")) {
    classroom_ = nullptr;  // the form takes one listener at a time
    classroom_ = std::make_unique<Classroom>(logic_, random_, request.Seed(), fresh_);
  }
  ChooseGivenBoxes(logic_, request);
  pacer_.SetSpeed(request.speed, now_ms);
  link_sheet_ = SheetOfRequest(request);
  if (request.start) logic_.cmdStart_Click(0);
  return {};
}

std::string WebForm::LinkView() const {
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("zoom");
  if (link_zoom_) {
    json.Text(ZoomName(*link_zoom_));
  } else {
    json.Null();
  }
  json.Key("projector");
  if (link_projector_) {
    json.Bool(*link_projector_);
  } else {
    json.Null();
  }
  // A link's sheet is a file of the site, or the course by its name.
  const bool course = link_exercises_ && BuiltInCourseNamed(*link_exercises_) != nullptr;
  json.Key("embed").Bool(link_embed_).Key("exercises");
  if (link_exercises_ && !course) {
    json.Text(*link_exercises_);
  } else {
    json.Null();
  }
  json.Key("course").Bool(course).Key("courseName");
  if (course) {
    json.Text(*link_exercises_);
  } else {
    json.Null();
  }
  json.Key("predict").Bool(link_sheet_.has_value()).Key("lab");
  if (link_lab_) {
    json.Text(link_lab_->share ? "share" : "queue");
  } else {
    json.Null();
  }
  json.Close('}');
  return out;
}

std::string WebForm::ShareQuery(const Zoom& zoom, bool projector) const {
  const std::string query = switchsim::ShareQuery(logic_, pacer_.Speed(), zoom, projector);
  return link_language_ ? query + "&lang=" + *link_language_ : query;
}

void WebForm::SetPresentation(const Presentation& presentation, double least_shown_px) {
  const MarginText text = MarginTextFor(presentation, least_shown_px);
  if (text == margin_text_) return;
  margin_text_ = text;
  ++changes_;
}

void WebForm::FillList(BoxId /*box*/, std::span<const std::string_view> /*items*/) {
  // The page builds each box's list once, from Describe().
}

std::string WebForm::BoxText(BoxId box) const { return texts_[box]; }

void WebForm::SetBoxText(BoxId box, std::string_view text) {
  if (!BoxHolds(box, text)) return;
  texts_[box] = std::string(text);
  ++changes_;
}

// The form keeps the colours and captions itself; the page reads them from State().
void WebForm::SetRateColour(int /*link*/, Rgb /*colour*/) { ++changes_; }
void WebForm::SetRateLabelColour(int /*link*/, Rgb /*colour*/) { ++changes_; }
void WebForm::SetCaption(int /*button*/, std::string_view /*caption*/) { ++changes_; }

void WebForm::ClearTrace(int link) {
  // Clearing makes every earlier stroke of this trace pointless to draw.
  draw_steps_.insert(draw_steps_.end(), {kClearStep, static_cast<double>(link), 0, 0, 0, 0});
}

TraceScale WebForm::ScaleOf(int /*link*/) const {
  // The drawing area inside the trace's frame, as in the desktop window.
  const int area_px = Px(layout::kTraceWidth) - 2 * layout::kTraceBorderPx;
  return {static_cast<float>(area_px * layout::kTwipsPerPixel), 0.0F};
}

void WebForm::DrawLine(int link, double x1, double y1, double x2, double /*y2*/, Rgb colour) {
  // Strokes are horizontal: one pixel row, between the ends.
  const double a = x1 / layout::kTwipsPerPixel;
  const double b = x2 / layout::kTwipsPerPixel;
  draw_steps_.insert(draw_steps_.end(),
                     {kStrokeStep, static_cast<double>(link), std::min(a, b), std::max(a, b),
                      static_cast<double>(TraceRow(y1)), static_cast<double>(colour & 0xffffffU)});
}

void WebForm::ShowMarker(Marker marker, double /*y_twips*/, Rgb colour) {
  marker_colours_.at(static_cast<std::size_t>(marker)) = colour;
  ++changes_;
}

void WebForm::HideMarker(Marker /*marker*/) { ++changes_; }

void WebForm::SetTimerRunning(bool running) {
  if (running && !timer_running_) pacer_.Start(now_ms_);
  timer_running_ = running;
  ++changes_;
}

}  // namespace switchsim
