#include "web_form.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "captions.h"
#include "colours.h"
#include "layout.h"
#include "line_pixels.h"
#include "lists.h"
#include "margins.h"
#include "page_address.h"
#include "speed.h"
#include "text_escape.h"
#include "version.h"

namespace switchsim {
namespace {

using layout::Px;

constexpr long kMostTicksAFrame = 40;
constexpr int kMarginLineHeightPx = 12;  // px: a line of the margins' 10 px font

/// A small writer of JSON objects and arrays; the caller places the commas'
/// keys and values in order.
class Json {
 public:
  Json& Open(char bracket) {
    Comma();
    out_ += bracket;
    first_ = true;
    return *this;
  }
  Json& Close(char bracket) {
    out_ += bracket;
    first_ = false;
    return *this;
  }
  Json& Key(std::string_view key) {
    Comma();
    out_ += EscapedText(key, EscapeStyle::Json);
    out_ += ':';
    first_ = true;
    return *this;
  }
  Json& Text(std::string_view text) {
    Comma();
    out_ += EscapedText(text, EscapeStyle::Json);
    return *this;
  }
  Json& Number(double value) {
    Comma();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    out_ += buffer;
    return *this;
  }
  Json& Bool(bool value) {
    Comma();
    out_ += value ? "true" : "false";
    return *this;
  }
  Json& Rect(const PixelRect& r) {
    Open('[');
    Number(r.left).Number(r.top).Number(r.width).Number(r.height);
    return Close(']');
  }
  Json& Colour(Rgb colour) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06x", static_cast<unsigned>(colour & 0xffffffU));
    return Text(buffer);
  }
  std::string Done() { return std::move(out_); }

 private:
  void Comma() {
    if (!first_) out_ += ',';
    first_ = false;
  }

  std::string out_;
  bool first_ = true;
};

PixelRect ToPixels(const layout::TwipsRect& r) {
  return {Px(r.left), Px(r.top), Px(r.width), Px(r.height)};
}

std::string BoxName(BoxId box) {
  switch (box.kind) {
    case BoxKind::Rate: return "cmbBitRate" + std::to_string(box.link);
    case BoxKind::Delay: return "cmbDelay" + std::to_string(box.link);
    case BoxKind::Size: return "cmbMessageSize";
    case BoxKind::Method: break;
  }
  return "cmbMethod";
}

constexpr std::array<BoxId, 8> kBoxes = {RateBox(0),  RateBox(1),  RateBox(2), DelayBox(0),
                                         DelayBox(1), DelayBox(2), kSizeBox,   kMethodBox};

PixelRect BoxRect(BoxId box) {
  switch (box.kind) {
    case BoxKind::Rate:
    case BoxKind::Delay: {
      const int top = box.kind == BoxKind::Rate ? layout::kRateBoxTop : layout::kDelayBoxTop;
      return {Px(layout::kLinkBoxLeft.at(box.link)), Px(top), Px(layout::kLinkBoxWidth),
              Px(layout::kLinkBoxHeight)};
    }
    case BoxKind::Size: return ToPixels(layout::kSizeBox);
    case BoxKind::Method: break;
  }
  return ToPixels(layout::kMethodBox);
}

std::span<const std::string_view> ItemsOf(BoxId box) {
  switch (box.kind) {
    case BoxKind::Rate: return lists::kRateItems;
    case BoxKind::Delay: return lists::kDelayItems;
    case BoxKind::Size: return lists::kSizeItems;
    case BoxKind::Method: break;
  }
  return lists::kMethodItems;
}

/// Whether a box can hold `text`: a rate box any text, the others one of their items.
bool Holds(BoxId box, std::string_view text) {
  const auto items = ItemsOf(box);
  return box.kind == BoxKind::Rate || std::find(items.begin(), items.end(), text) != items.end();
}

void WriteBox(Json& json, BoxId box) {
  const bool link_box = box.kind == BoxKind::Rate || box.kind == BoxKind::Delay;
  std::string name;
  std::string tip;
  std::string label;
  switch (box.kind) {
    case BoxKind::Rate:
      name = captions::RateAccessibleName(box.link);
      tip = captions::RateToolTip(box.link);
      label = "Label1_" + std::to_string(layout::kRateLabelIndex.at(box.link));
      break;
    case BoxKind::Delay:
      name = captions::DelayAccessibleName(box.link);
      tip = captions::DelayToolTip(box.link);
      label = "Label1_" + std::to_string(layout::kDelayLabelIndex.at(box.link));
      break;
    case BoxKind::Size:
      name = "Message size";
      tip = captions::SizeToolTip();
      label = "lblPacketSize";
      break;
    case BoxKind::Method:
      name = std::string(lists::kTechniqueCaption);
      tip = captions::MethodToolTip();
      label = "lblTechnique";
      break;
  }
  json.Open('{').Key("type").Text("box").Key("id").Text(BoxName(box));
  json.Key("kind").Number(static_cast<int>(box.kind)).Key("link").Number(box.link);
  json.Key("rect").Rect(BoxRect(box));
  json.Key("font").Number(link_box ? layout::kSmallFontPx : layout::kLargeFontPx);
  json.Key("editable").Bool(box.kind == BoxKind::Rate);
  json.Key("name").Text(name).Key("tip").Text(tip).Key("label").Text(label);
  json.Key("items").Open('[');
  for (const std::string_view item : ItemsOf(box)) json.Text(item);
  json.Close(']').Close('}');
}


void WriteFocusable(Json& json, layout::Focusable control) {
  using F = layout::Focusable;
  const auto trace = [&json](int k) {
    json.Open('{').Key("type").Text("trace").Key("id").Text("picTrace" + std::to_string(k));
    json.Key("link").Number(k);
    json.Key("rect").Rect({Px(layout::kTraceLeft.at(k)), Px(layout::kTraceTop),
                           Px(layout::kTraceWidth), Px(layout::kTraceHeight)});
    json.Key("border").Number(layout::kTraceBorderPx);
    json.Key("name").Text(captions::TraceAccessibleName(k));
    json.Key("tip").Text(captions::TraceToolTip(k)).Close('}');
  };
  const auto button = [&json](int n) {
    json.Open('{').Key("type").Text("button").Key("id").Text("cmdStart" + std::to_string(n));
    json.Key("index").Number(n).Key("rect").Rect(ToPixels(layout::kStartButton.at(n)));
    json.Key("font").Number(layout::kLargeFontPx);
    json.Key("tip").Text(n == 0 ? captions::StartToolTip() : captions::PauseToolTip());
    json.Close('}');
  };
  switch (control) {
    case F::SizeBox: return WriteBox(json, kSizeBox);
    case F::MethodBox: return WriteBox(json, kMethodBox);
    case F::StartButton: return button(0);
    case F::RateBox0: return WriteBox(json, RateBox(0));
    case F::DelayBox0: return WriteBox(json, DelayBox(0));
    case F::RateBox1: return WriteBox(json, RateBox(1));
    case F::DelayBox1: return WriteBox(json, DelayBox(1));
    case F::RateBox2: return WriteBox(json, RateBox(2));
    case F::DelayBox2: return WriteBox(json, DelayBox(2));
    case F::Trace0: return trace(0);
    case F::Trace1: return trace(1);
    case F::Trace2: return trace(2);
    case F::PauseButton: return button(1);
  }
}

void WriteLabel(Json& json, const std::string& id, std::string_view text,
                const layout::TwipsRect& rect, int font_px, bool bold, std::string_view align) {
  json.Open('{').Key("id").Text(id).Key("text").Text(text).Key("rect").Rect(ToPixels(rect));
  json.Key("font").Number(font_px).Key("bold").Bool(bold).Key("align").Text(align).Close('}');
}

PixelRect LineRect(const layout::TwipsLine& line, int width_px) {
  return LinePixels(line.x1, line.y1, line.x2, line.y2, width_px);
}

void WriteColours(Json& json) {
  json.Key("colours").Open('{');
  json.Key("window").Colour(appearance::kWindowColour);
  json.Key("trace").Colour(appearance::kTraceColour);
  json.Key("traceBorder").Colour(appearance::kTraceBorder);
  json.Key("focus").Colour(appearance::kFocusColour);
  json.Key("nodeLine").Colour(appearance::kNodeLineColour);
  json.Key("text").Colour(appearance::kTextColour);
  json.Key("markerEdge").Colour(appearance::kMarkerEdgeColour);
  json.Key("additionText").Colour(appearance::kAdditionTextColour);
  json.Key("additionLine").Colour(appearance::kAdditionLineColour);
  json.Key("logo").Open('[');
  json.Colour(kMessageGreen).Colour(kCircuitBlue).Colour(appearance::kPacketMarkerColour);
  json.Close(']').Close('}');
}

}  // namespace

WebForm::WebForm(std::optional<std::uint64_t> first_seed, Classroom::SeedSource fresh)
    : fresh_(std::move(fresh)), random_(first_seed.value_or(0)), logic_(*this, random_) {
  marker_colours_ = {kMessageGreen, kCircuitBlue, appearance::kPacketMarkerColour};
  logic_.Form_Load();
  classroom_ = std::make_unique<Classroom>(logic_, random_, first_seed, fresh_);
}

std::string WebForm::Describe() const {
  Json json;
  json.Open('{');
  json.Key("width").Number(Px(layout::kClientWidth)).Key("height").Number(Px(layout::kClientHeight));
  json.Key("title").Text(captions::WindowTitle()).Key("version").Text(kVersion);
  json.Key("licence").Text(kLicence);
  WriteColours(json);
  json.Key("marginFont").Number(10);

  json.Key("labels").Open('[');
  for (std::size_t i = 0; i < layout::kLabel1.size(); ++i) {
    WriteLabel(json, "Label1_" + std::to_string(i), lists::kLabel1Captions[i], layout::kLabel1[i],
               layout::kSmallFontPx, true, "right");
  }
  for (int node = 0; node < layout::kNodeCount; ++node) {
    WriteLabel(json, "lblNode" + std::to_string(node), lists::kNodeNames.at(node),
               layout::kNodeLabel.at(node), layout::kLargeFontPx, false, "center");
  }
  WriteLabel(json, "lblTechnique", lists::kTechniqueCaption, layout::kTechniqueLabel,
             layout::kLargeFontPx, false, "right");
  WriteLabel(json, "lblPacketSize", lists::kSizeCaption, layout::kSizeLabel, layout::kLargeFontPx,
             false, "left");
  json.Close(']');

  json.Key("lines").Open('[');
  for (int node = 0; node < layout::kNodeCount; ++node) {
    json.Open('{').Key("id").Text("Line1_" + std::to_string(node));
    json.Key("rect").Rect(LineRect(layout::kLine1.at(node), layout::kNodeLineWidthPx)).Close('}');
  }
  json.Open('{').Key("id").Text("Line2");
  json.Key("rect").Rect(LineRect(layout::kLine2, layout::kNodeLineWidthPx)).Close('}');
  json.Close(']');
  json.Key("shapes").Open('[');
  for (std::size_t i = 0; i < layout::kShape1.size(); ++i) {
    json.Open('{').Key("id").Text("Shape1_" + std::to_string(i));
    json.Key("rect").Rect(ToPixels(layout::kShape1[i])).Close('}');
  }
  json.Close(']');
  json.Key("frame").Rect(ToPixels(layout::kFrame1));
  json.Key("crest").Rect({Px(layout::kCrest.left), Px(layout::kCrest.top), layout::kCrestWidthPx,
                          layout::kCrestHeightPx});

  json.Key("controls").Open('[');
  for (const layout::Focusable control : layout::kTabOrder) WriteFocusable(json, control);
  json.Close(']');

  json.Key("timeScale").Rect(ToPixels(layout::kTimeScale));
  json.Key("labelStrip").Rect(ToPixels(layout::kMarkerLabelStrip));
  json.Key("timeMarks").Open('[');
  for (const TimeMark& mark : TimeScaleMarks()) {
    json.Open('{').Key("row").Number(layout::kTraceBorderPx + TraceRow(mark.y_twips));
    json.Key("label").Text(mark.label + " s").Close('}');
  }
  json.Close(']');
  json.Key("resultHeadings").Open('[');
  for (const std::string_view heading : kResultHeadings) json.Text(heading);
  json.Close(']');
  json.Key("speeds").Open('[');
  for (const SpeedStep& speed : kSpeeds) json.Text(speed.name);
  json.Close(']').Key("speedFactors").Open('[');
  for (const SpeedStep& speed : kSpeeds) json.Number(speed.factor);
  json.Close(']');
  json.Close('}');
  return json.Done();
}

std::string WebForm::State() const {
  Json json;
  json.Open('{').Key("boxes").Open('{');
  for (const BoxId box : kBoxes) json.Key(BoxName(box)).Text(texts_[box]);
  json.Close('}');
  json.Key("rateColours").Open('[');
  for (int k = 0; k < kLinkCount; ++k) json.Colour(logic_.RateColour(k));
  json.Close(']').Key("labelColours").Open('[');
  for (int k = 0; k < kLinkCount; ++k) json.Colour(logic_.RateLabelColour(k));
  json.Close(']').Key("captions").Open('[').Text(logic_.Caption(0)).Text(logic_.Caption(1));
  json.Close(']');

  static constexpr std::array<layout::TwipsLine, 3> kMarkerLines = {
      layout::kMessageMarker, layout::kCircuitMarker, layout::kPacketMarker};
  json.Key("markers").Open('[');
  for (std::size_t m = 0; m < kMarkerLines.size(); ++m) {
    const MarkerState& state = logic_.Markers()[m];
    const layout::TwipsLine& line = kMarkerLines[m];
    const double y = state.visible ? state.y_twips : line.y1;
    json.Open('{').Key("visible").Bool(state.visible);
    json.Key("text").Text(classroom_->MarkerText(static_cast<Marker>(m)));
    json.Key("rect").Rect(LinePixels(line.x1, y, line.x2, y, layout::kMarkerWidthPx));
    json.Key("colour").Colour(marker_colours_[m]).Close('}');
  }
  json.Close(']');
  const int strip_top = Px(layout::kMarkerLabelStrip.top);
  json.Key("markerLabels").Open('[');
  for (const MarkerLabel& label :
       LayOutMarkerLabels(logic_.Markers(), kMarginLineHeightPx * layout::kTwipsPerPixel)) {
    json.Open('{').Key("text").Text(label.text);
    json.Key("markerRow").Number(std::lround(label.marker_y_twips / layout::kTwipsPerPixel) -
                                 strip_top);
    json.Key("labelRow").Number(std::lround(label.label_y_twips / layout::kTwipsPerPixel) -
                                strip_top);
    json.Close('}');
  }
  json.Close(']');

  json.Key("phase").Text(classroom_->PhaseText());
  json.Key("running").Bool(classroom_->Phase() == RunPhase::Running);
  json.Key("notice").Text(classroom_->Notice()).Key("noticeCount").Number(classroom_->NoticeCount());
  json.Key("clock").Text(classroom_->ClockText());
  json.Key("clockMs").Number(logic_.simulation().State().ClockMs);
  json.Key("speed").Number(static_cast<double>(SpeedIndex(pacer_.Speed())));
  json.Key("canStep").Bool(classroom_->CanStep());
  json.Key("results").Number(static_cast<double>(classroom_->Results().size()));
  json.Key("hasLog").Bool(!classroom_->RunLogText().empty());
  json.Close('}');
  return json.Done();
}

std::string WebForm::ResultsJson() const {
  Json json;
  json.Open('[');
  for (const RunResult& result : classroom_->Results()) {
    json.Open('{').Key("cells").Open('[');
    for (const std::string& cell : ResultCells(result)) json.Text(cell);
    json.Close(']').Key("command").Text(TraceCommand(result.parameters)).Close('}');
  }
  json.Close(']');
  return json.Done();
}

void WebForm::UserSetBox(BoxId box, const std::string& text, double now_ms) {
  now_ms_ = now_ms;
  if (!Holds(box, text)) return;
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

void WebForm::Step(double now_ms) {
  now_ms_ = now_ms;
  classroom_->Step();
  ++changes_;
}

int WebForm::RunDueTicks(double now_ms) {
  now_ms_ = now_ms;
  if (!timer_running_) return 0;
  const long due = std::min(pacer_.DueTicks(now_ms), kMostTicksAFrame);
  int ran = 0;
  for (; ran < due && timer_running_; ++ran) {
    pacer_.Ticked();
    logic_.Timer1_Timer();
  }
  return ran;
}

void WebForm::SetSpeedIndex(int index, double now_ms) {
  now_ms_ = now_ms;
  if (index < 0 || index >= static_cast<int>(kSpeeds.size())) return;
  pacer_.SetSpeed(kSpeeds.at(static_cast<std::size_t>(index)).factor, now_ms);
  ++changes_;
}

std::string WebForm::ApplyQuery(const std::string& query, double now_ms) {
  now_ms_ = now_ms;
  auto read = ReadPageQuery(query);
  if (const auto* error = std::get_if<std::string>(&read)) return *error;
  const PageRequest& request = std::get<PageRequest>(read);
  if (request.Given("seed")) {
    classroom_ = nullptr;  // the form takes one listener at a time
    classroom_ = std::make_unique<Classroom>(logic_, random_, request.seed, fresh_);
  }
  ChooseGivenBoxes(logic_, request);
  pacer_.SetSpeed(request.speed, now_ms);
  if (request.start) logic_.cmdStart_Click(0);
  ++changes_;
  return {};
}

void WebForm::FillList(BoxId /*box*/, std::span<const std::string_view> /*items*/) {
  // The page builds each box's list once, from Describe().
}

std::string WebForm::BoxText(BoxId box) const { return texts_[box]; }

void WebForm::SetBoxText(BoxId box, std::string_view text) {
  if (!Holds(box, text)) return;
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
