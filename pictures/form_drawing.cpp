#include "pictures/form_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "form/captions.h"
#include "look/colours.h"
#include "pictures/crest_drawing.h"
#include "look/layout.h"
#include "look/line_pixels.h"
#include "form/lists.h"
#include "pictures/margin_drawing.h"
#include "text/translation.h"

namespace switchsim {
namespace {

using layout::Px;

// The toolkit's boxes and buttons, as plain shapes: a light face in a grey
// frame, an editable box's field white beside its arrow.
inline constexpr Rgb kControlFrame = MakeRgb(169, 169, 166);
inline constexpr Rgb kControlFace = MakeRgb(245, 245, 244);
inline constexpr Rgb kFieldColour = MakeRgb(255, 255, 255);
inline constexpr Rgb kArrowColour = MakeRgb(91, 91, 91);
inline constexpr int kArrowAreaPx = 21;     // px: an editable box's arrow area, frame included
inline constexpr int kArrowHalfPx = 3;      // px: half an arrow's top row, beside its middle pixel
inline constexpr int kFieldTextInsetPx = 4;  // px from an editable box's edge to its text
inline constexpr int kPickTextInsetPx = 5;   // px from a pick-only box's edge to its text
inline constexpr int kMarkerEdgePx = 1;      // px: the dark edge around a marker line

// What the picture's description says of each visible marker, by marker.
inline constexpr std::array<std::string_view, kTechniqueCount> kArrivedTexts = {
    Mark("message data arrived after {0} ms"), Mark("circuit data arrived after {0} ms"),
    Mark("packet data arrived after {0} ms")};

PixelRect ToPixels(const layout::TwipsRect& r) {
  return {Px(r.left), Px(r.top), Px(r.width), Px(r.height)};
}

DrawRect Filled(const PixelRect& r, Rgb colour) {
  return {.x = static_cast<double>(r.left), .y = static_cast<double>(r.top),
          .width = static_cast<double>(r.width), .height = static_cast<double>(r.height),
          .filled = true, .fill = colour, .outlined = false, .pen = {}};
}

// A frame one pixel wide just inside `r`, over `face` (or nothing).
DrawRect Framed(const PixelRect& r, Rgb frame, bool filled = false, Rgb face = kBlack) {
  return {.x = r.left + 0.5, .y = r.top + 0.5, .width = r.width - 1.0, .height = r.height - 1.0,
          .filled = filled, .fill = face, .outlined = true, .pen = {frame, 1.0, false}};
}

double Baseline(double middle, int size_px) {
  return std::round(middle + size_px * layout::kFontMiddleToBaselineEm);
}

// A caption at the top of `r`, aligned as the window aligns it, in the language in use.
void Caption(Drawing& drawing, const PixelRect& r, std::string_view text, int size_px, bool bold,
             TextAlign align, Rgb colour = appearance::kTextColour) {
  const double x = align == TextAlign::Start  ? r.left
                   : align == TextAlign::End ? r.left + r.width
                                             : r.left + r.width / 2.0;
  const double y = r.top + std::round(size_px * layout::kFontAscentEm);
  drawing.items.push_back(DrawText{{x, y}, Tr(text), colour, static_cast<double>(size_px), align,
                                   bold});
}

// A small arrow pointing down, as rows of pixels narrowing to one.
void Arrow(Drawing& drawing, double middle_x, int top) {
  for (int row = 0; row <= kArrowHalfPx; ++row) {
    const double half = kArrowHalfPx - row + 0.5;
    drawing.items.push_back(DrawLine{{middle_x - half, top + row + 0.5},
                                     {middle_x + half, top + row + 0.5},
                                     {kArrowColour, 1.0, false}});
  }
}

// A box with its text; a rate box is editable: a white field beside its arrow.
void Box(Drawing& drawing, const PixelRect& r, const std::string& text, int size_px, Rgb colour,
         bool editable) {
  drawing.items.push_back(Framed(r, kControlFrame, true, editable ? kFieldColour : kControlFace));
  const double arrow_left = r.left + r.width - kArrowAreaPx;
  if (editable) {
    drawing.items.push_back(Filled({static_cast<int>(arrow_left), r.top + 1, kArrowAreaPx - 1,
                                    r.height - 2}, kControlFace));
    drawing.items.push_back(DrawLine{{arrow_left + 0.5, r.top + 1.0},
                                     {arrow_left + 0.5, r.top + r.height - 1.0},
                                     {kControlFrame, 1.0, false}});
  }
  const double middle = r.top + r.height / 2.0;
  Arrow(drawing, arrow_left + kArrowAreaPx / 2.0, static_cast<int>(middle) - kArrowHalfPx + 1);
  const int inset = editable ? kFieldTextInsetPx : kPickTextInsetPx;
  drawing.items.push_back(DrawText{{static_cast<double>(r.left + inset), Baseline(middle, size_px)},
                                   text, colour, static_cast<double>(size_px)});
}

void Button(Drawing& drawing, const PixelRect& r, std::string_view caption) {
  drawing.items.push_back(Framed(r, kControlFrame, true, kControlFace));
  drawing.items.push_back(DrawText{{r.left + r.width / 2.0, Baseline(r.top + r.height / 2.0,
                                                                     layout::kLargeFontPx)},
                                   Tr(caption), appearance::kTextColour,
                                   static_cast<double>(layout::kLargeFontPx), TextAlign::Middle});
}

void LinkControls(Drawing& drawing, const FormLogic& form, const KeepingSurface& kept) {
  for (int k = 0; k < kLinkCount; ++k) {
    Caption(drawing, ToPixels(layout::kLabel1[layout::kRateLabelIndex[k]]), lists::kRateLabelCaption,
            layout::kSmallFontPx, true, TextAlign::End, form.RateLabelColour(k));
    Caption(drawing, ToPixels(layout::kLabel1[layout::kDelayLabelIndex[k]]),
            lists::kDelayLabelCaption, layout::kSmallFontPx, true, TextAlign::End);
  }
  for (int k = 0; k < kLinkCount; ++k) {
    const int left = Px(layout::kLinkBoxLeft[k]);
    const int width = Px(layout::kLinkBoxWidth);
    const int height = Px(layout::kLinkBoxHeight);
    Box(drawing, {left, Px(layout::kRateBoxTop), width, height}, kept.BoxText(RateBox(k)),
        layout::kSmallFontPx, form.RateColour(k), true);
    Box(drawing, {left, Px(layout::kDelayBoxTop), width, height}, kept.BoxText(DelayBox(k)),
        layout::kSmallFontPx, appearance::kTextColour, false);
  }
}

void Nodes(Drawing& drawing) {
  for (const layout::TwipsLine& line : layout::kLine1) {
    drawing.items.push_back(Filled(LinePixels(line.x1, line.y1, line.x2, line.y2,
                                            layout::kNodeLineWidthPx), appearance::kNodeLineColour));
  }
  const layout::TwipsLine& base = layout::kLine2;
  drawing.items.push_back(Filled(LinePixels(base.x1, base.y1, base.x2, base.y2,
                                          layout::kNodeLineWidthPx), appearance::kNodeLineColour));
  for (const layout::TwipsRect& shape : layout::kShape1) {
    drawing.items.push_back(Framed(ToPixels(shape), appearance::kNodeLineColour));
  }
  for (int node = 0; node < layout::kNodeCount; ++node) {
    Caption(drawing, ToPixels(layout::kNodeLabel[node]), lists::kNodeNames.at(node),
            layout::kLargeFontPx, false, TextAlign::Middle);
  }
}

// A trace: its frame, its white drawing area, and each stroke in it as the
// window draws it: one pixel row, from the row that holds its y, clipped to the area.
void Trace(Drawing& drawing, int link, const std::vector<TraceLine>& lines) {
  const PixelRect outer = {Px(layout::kTraceLeft[link]), Px(layout::kTraceTop),
                           Px(layout::kTraceWidth), Px(layout::kTraceHeight)};
  const int border = layout::kTraceBorderPx;
  const PixelRect area = {outer.left + border, outer.top + border, outer.width - 2 * border,
                          outer.height - 2 * border};
  drawing.items.push_back(Filled(outer, appearance::kTraceBorder));
  drawing.items.push_back(Filled(area, appearance::kTraceColour));
  const double px_per_twip = 1.0 / layout::kTwipsPerPixel;
  for (const TraceLine& line : lines) {
    const int row = TraceRow(line.y1);
    if (row < 0 || row >= area.height) continue;
    const double from = std::clamp(std::min(line.x1, line.x2) * px_per_twip, 0.0,
                                   static_cast<double>(area.width));
    const double to = std::clamp(std::max(line.x1, line.x2) * px_per_twip, 0.0,
                                 static_cast<double>(area.width));
    const double y = area.top + row + 0.5;
    drawing.items.push_back(
        DrawLine{{area.left + from, y}, {area.left + to, y}, {line.colour, 1.0, false}});
  }
}

void Markers(Drawing& drawing, const FormLogic& form, const KeepingSurface& kept, bool edges) {
  const auto& kLines = layout::kMarkerLines;
  for (std::size_t m = 0; m < kLines.size(); ++m) {
    const MarkerState& state = form.Markers()[m];
    if (!state.visible) continue;
    const layout::TwipsLine& line = kLines[m];
    const PixelRect r = LinePixels(line.x1, state.y_twips, line.x2, state.y_twips,
                                 layout::kMarkerWidthPx);
    if (edges) {
      const int e = kMarkerEdgePx;
      drawing.items.push_back(Filled({r.left - e, r.top - e, r.width + 2 * e, r.height + 2 * e},
                                     appearance::kMarkerEdgeColour));
    }
    drawing.items.push_back(Filled(r, kept.MarkerColour(static_cast<Marker>(m))));
  }
}

void RunControls(Drawing& drawing, const FormLogic& form, const KeepingSurface& kept) {
  for (int n = 0; n < 2; ++n) Button(drawing, ToPixels(layout::kStartButton[n]), form.Caption(n));
  Caption(drawing, ToPixels(layout::kTechniqueLabel), lists::kTechniqueCaption,
          layout::kLargeFontPx, false, TextAlign::End);
  Box(drawing, ToPixels(layout::kMethodBox), Tr(kept.BoxText(kMethodBox)), layout::kLargeFontPx,
      appearance::kTextColour, false);
  Caption(drawing, ToPixels(layout::kSizeLabel), lists::kSizeCaption, layout::kLargeFontPx, false,
          TextAlign::Start);
  Box(drawing, ToPixels(layout::kSizeBox), kept.BoxText(kSizeBox), layout::kLargeFontPx,
      appearance::kTextColour, false);
  DrawCrest(drawing, {static_cast<double>(Px(layout::kCrest.left)),
                      static_cast<double>(Px(layout::kCrest.top))});
}

std::string Description(const FormLogic& form) {
  std::string text = Fill(Tr("Time-space traces of a message crossing three links, technique {0}, "
                             "message size {1}"),
                          {Tr(form.MethodText()), form.MessageSizeText()});
  for (std::size_t m = 0; m < form.Markers().size(); ++m) {
    const MarkerState& state = form.Markers()[m];
    if (!state.visible) continue;
    text += "; " + Fill(Tr(kArrivedTexts.at(m)), {std::to_string(state.clock_ms)});
  }
  return text + ".";
}

}  // namespace

TraceScale FramedTraceScale() {
  const int width_px = Px(layout::kTraceWidth) - 2 * layout::kTraceBorderPx;
  return {static_cast<float>(width_px * layout::kTwipsPerPixel), 0.0F};
}

Drawing FormDrawing(const FormLogic& form, const KeepingSurface& kept, const Additions& additions) {
  Drawing drawing;
  drawing.width = Px(layout::kClientWidth);
  drawing.height = Px(layout::kClientHeight);
  drawing.background = appearance::kWindowColour;
  drawing.title = captions::WindowTitle();
  drawing.description = Description(form);
  for (int k = 0; k < kLinkCount; ++k) Trace(drawing, k, kept.Lines(k));
  LinkControls(drawing, form, kept);
  Nodes(drawing);
  Markers(drawing, form, kept, additions.marker_edges);
  RunControls(drawing, form, kept);
  if (additions.time_scale) DrawTimeScale(drawing);
  if (additions.marker_labels) DrawMarkerLabels(drawing, form.Markers());
  return drawing;
}

}  // namespace switchsim
