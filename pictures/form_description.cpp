#include "pictures/form_description.h"

#include "form/box_lists.h"
#include "form/captions.h"
#include "records/results_format.h"
#include "look/colours.h"
#include "text/json_writer.h"
#include "look/layout.h"
#include "look/line_pixels.h"
#include "form/lists.h"
#include "form/margins.h"
#include "look/presentation.h"
#include "form/speed.h"
#include "records/timing_format.h"
#include "text/version.h"
#include "look/zoom.h"

namespace switchsim {
namespace {

using layout::Px;

PixelRect ToPixels(const layout::TwipsRect& r) {
  return {Px(r.left), Px(r.top), Px(r.width), Px(r.height)};
}

JsonWriter& Rect(JsonWriter& json, const PixelRect& r) {
  return json.Open('[').Integer(r.left).Integer(r.top).Integer(r.width).Integer(r.height).Close(']');
}

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

// A box's accessible name, tooltip and the caption beside it.
struct BoxTexts {
  std::string name;
  std::string tip;
  std::string label;
};

BoxTexts TextsOf(BoxId box) {
  switch (box.kind) {
    case BoxKind::Rate:
      return {captions::RateAccessibleName(box.link), captions::RateToolTip(box.link),
              "Label1_" + std::to_string(layout::kRateLabelIndex.at(box.link))};
    case BoxKind::Delay:
      return {captions::DelayAccessibleName(box.link), captions::DelayToolTip(box.link),
              "Label1_" + std::to_string(layout::kDelayLabelIndex.at(box.link))};
    case BoxKind::Size: return {"Message size", captions::SizeToolTip(), "lblPacketSize"};
    case BoxKind::Method: break;
  }
  return {std::string(lists::kTechniqueCaption), captions::MethodToolTip(), "lblTechnique"};
}

void WriteBox(JsonWriter& json, BoxId box) {
  const bool link_box = box.kind == BoxKind::Rate || box.kind == BoxKind::Delay;
  const BoxTexts texts = TextsOf(box);
  json.Open('{').Key("type").Text("box").Key("id").Text(BoxName(box));
  json.Key("kind").Integer(static_cast<int>(box.kind)).Key("link").Integer(box.link);
  Rect(json.Key("rect"), BoxRect(box));
  json.Key("font").Integer(link_box ? layout::kSmallFontPx : layout::kLargeFontPx);
  json.Key("editable").Bool(box.kind == BoxKind::Rate);
  json.Key("name").Text(texts.name).Key("tip").Text(texts.tip).Key("label").Text(texts.label);
  json.Key("items").Open('[');
  for (const std::string_view item : ItemsOf(box)) json.Text(item);
  json.Close(']').Close('}');
}

void WriteTrace(JsonWriter& json, int k) {
  json.Open('{').Key("type").Text("trace").Key("id").Text("picTrace" + std::to_string(k));
  json.Key("link").Integer(k);
  Rect(json.Key("rect"), {Px(layout::kTraceLeft.at(k)), Px(layout::kTraceTop),
                          Px(layout::kTraceWidth), Px(layout::kTraceHeight)});
  json.Key("border").Integer(layout::kTraceBorderPx);
  json.Key("name").Text(captions::TraceAccessibleName(k));
  json.Key("tip").Text(captions::TraceToolTip(k)).Close('}');
}

void WriteButton(JsonWriter& json, int n) {
  json.Open('{').Key("type").Text("button").Key("id").Text("cmdStart" + std::to_string(n));
  json.Key("index").Integer(n);
  Rect(json.Key("rect"), ToPixels(layout::kStartButton.at(n)));
  json.Key("font").Integer(layout::kLargeFontPx);
  json.Key("tip").Text(n == 0 ? captions::StartToolTip() : captions::PauseToolTip());
  json.Close('}');
}

void WriteFocusable(JsonWriter& json, layout::Focusable control) {
  using F = layout::Focusable;
  switch (control) {
    case F::SizeBox: return WriteBox(json, kSizeBox);
    case F::MethodBox: return WriteBox(json, kMethodBox);
    case F::StartButton: return WriteButton(json, 0);
    case F::RateBox0: return WriteBox(json, RateBox(0));
    case F::DelayBox0: return WriteBox(json, DelayBox(0));
    case F::RateBox1: return WriteBox(json, RateBox(1));
    case F::DelayBox1: return WriteBox(json, DelayBox(1));
    case F::RateBox2: return WriteBox(json, RateBox(2));
    case F::DelayBox2: return WriteBox(json, DelayBox(2));
    case F::Trace0: return WriteTrace(json, 0);
    case F::Trace1: return WriteTrace(json, 1);
    case F::Trace2: return WriteTrace(json, 2);
    case F::PauseButton: return WriteButton(json, 1);
  }
}

void WriteLabel(JsonWriter& json, const std::string& id, std::string_view text,
                const layout::TwipsRect& rect, int font_px, bool bold, std::string_view align) {
  json.Open('{').Key("id").Text(id).Key("text").Text(text);
  Rect(json.Key("rect"), ToPixels(rect));
  json.Key("font").Integer(font_px).Key("bold").Bool(bold).Key("align").Text(align).Close('}');
}

void WriteLabels(JsonWriter& json) {
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
}

void WritePart(JsonWriter& json, const std::string& id, const PixelRect& rect) {
  json.Open('{').Key("id").Text(id);
  Rect(json.Key("rect"), rect).Close('}');
}

void WriteShapes(JsonWriter& json) {
  const auto line_rect = [](const layout::TwipsLine& line) {
    return LinePixels(line.x1, line.y1, line.x2, line.y2, layout::kNodeLineWidthPx);
  };
  json.Key("lines").Open('[');
  for (int node = 0; node < layout::kNodeCount; ++node) {
    WritePart(json, "Line1_" + std::to_string(node), line_rect(layout::kLine1.at(node)));
  }
  WritePart(json, "Line2", line_rect(layout::kLine2));
  json.Close(']');
  json.Key("shapes").Open('[');
  for (std::size_t i = 0; i < layout::kShape1.size(); ++i) {
    WritePart(json, "Shape1_" + std::to_string(i), ToPixels(layout::kShape1[i]));
  }
  json.Close(']');
  Rect(json.Key("frame"), ToPixels(layout::kFrame1));
  // The parts that only decorate, by the names of their arrays.
  json.Key("decoration").Open('[');
  for (const std::string_view name : layout::kDecoration) json.Text(name);
  json.Close(']');
  Rect(json.Key("crest"), {Px(layout::kCrest.left), Px(layout::kCrest.top), layout::kCrestWidthPx,
                           layout::kCrestHeightPx});
}

void WriteColours(JsonWriter& json) {
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
  for (const Rgb colour : appearance::kLogoLinkColours) json.Colour(colour);
  json.Close(']').Close('}');
}

void WriteLogo(JsonWriter& json) {
  json.Key("logo").Open('{');
  json.Key("firstNode").Integer(layout::kCrestFirstNodePx);
  json.Key("nodeSpacing").Integer(layout::kCrestNodeSpacingPx);
  json.Key("nodeRadius").Integer(layout::kCrestNodeRadiusPx);
  json.Key("nodePen").Number(layout::kCrestNodePenPx);
  json.Key("linkWidth").Integer(layout::kCrestLinkWidthPx);
  json.Key("nameLeft").Integer(layout::kCrestNameLeftPx);
  json.Key("nameFont").Integer(layout::kCrestNameFontPx);
  json.Key("name").Text(layout::kCrestName).Close('}');
}

void WriteMargins(JsonWriter& json) {
  json.Key("fontFamily").Text(layout::kFontFamily);
  json.Key("marginFont").Integer(layout::kMarginFontPx);
  json.Key("marginLineHeight").Integer(layout::kMarginLineHeightPx);
  json.Key("timeTickLength").Integer(layout::kTimeTickLengthPx);
  json.Key("timeLabelGap").Integer(layout::kTimeLabelGapPx);
  json.Key("leader").Integer(layout::kLeaderPx);
  Rect(json.Key("timeScale"), ToPixels(layout::kTimeScale));
  Rect(json.Key("labelStrip"), ToPixels(layout::kMarkerLabelStrip));
  json.Key("timeMarks").Open('[');
  for (const TimeMark& mark : TimeScaleMarks()) {
    json.Open('{').Key("row").Integer(layout::kTraceBorderPx + TraceRow(mark.y_twips));
    json.Key("label").Text(mark.label + " s").Close('}');
  }
  json.Close(']');
}

void WriteViews(JsonWriter& json) {
  json.Key("zooms").Open('[');
  for (const int percent : kZoomPercents) json.Integer(percent);
  json.Close(']');
  json.Key("projector").Open('{').Key("strokeRows").Integer(kProjectorStrokeRows);
  json.Key("nodeLine").Integer(kProjectorNodeLinePx);
  json.Key("baseLine").Integer(kProjectorBaseLinePx).Close('}');
}

}  // namespace

std::string DescribeForm() {
  std::string out;
  JsonWriter json(out);
  json.Open('{');
  json.Key("width").Integer(Px(layout::kClientWidth)).Key("height").Integer(Px(layout::kClientHeight));
  json.Key("title").Text(captions::WindowTitle()).Key("version").Text(kVersion);
  json.Key("licence").Text(kLicence);
  WriteColours(json);
  WriteLabels(json);
  WriteShapes(json);
  WriteLogo(json);
  json.Key("controls").Open('[');
  for (const layout::Focusable control : layout::kTabOrder) WriteFocusable(json, control);
  json.Close(']');
  WriteMargins(json);
  WriteViews(json);
  json.Key("resultHeadings").Open('[');
  for (const std::string_view heading : kResultHeadings) json.Text(heading);
  json.Close(']').Key("timingHeadings").Open('[');
  for (const std::string_view heading : kTimingHeadings) json.Text(heading);
  json.Close(']');
  json.Key("speeds").Open('[');
  for (const SpeedStep& speed : kSpeeds) json.Text(speed.name);
  json.Close(']').Key("speedFactors").Open('[');
  for (const SpeedStep& speed : kSpeeds) json.Number(speed.factor);
  json.Close(']').Close('}');
  return out;
}

}  // namespace switchsim
