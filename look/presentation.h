#pragma once

namespace switchsim {

/// How the form is drawn for where it is shown: the scale it is shown at
/// and whether it is drawn for a projector. Neither moves any control.
struct Presentation {
  double scale = 1.0;      // shown size over the form's own size
  bool projector = false;  // heavier lines and larger, bold margin text

  friend bool operator==(const Presentation&, const Presentation&) = default;
};

/// For a projector: a trace's stroke fills this many pixel rows of the
/// form (down from its own row), and the node lines and the base line are
/// this heavy, in pixels of the form.
inline constexpr int kProjectorStrokeRows = 2;
inline constexpr int kProjectorNodeLinePx = 2;
inline constexpr int kProjectorBaseLinePx = 3;

/// The margins' bold text for a projector, in pixels of the form: the
/// largest at which "M 6900" fits the label strip.
inline constexpr int kBoldMarginFontPx = 14;

/// How thick a line of `plain_px` pixels is drawn, in pixels of the form.
int LineWeightPx(const Presentation& presentation, int plain_px, int projector_px);

/// The text of the margins (the time scale and the marker labels), in
/// pixels of the form: as it always was at scale 1, larger when the form is
/// shown at another scale or for a projector, so that it stays readable.
struct MarginText {
  int font_px = 10;
  int line_px = 11;   // one line of it
  bool bold = false;
  bool unit = true;   // the marker labels say "ms" after the time
  /// False when the text, to be `least_shown_px` tall, would not fit the
  /// margins: it is then drawn as large as fits there, and a front end that
  /// can show the marker labels elsewhere (beside or under the form) should.
  bool fits = true;

  friend bool operator==(const MarginText&, const MarginText&) = default;
};

/// The text of a panel beside the form (Explore: its boxes, buttons, table
/// and curves): the front end's usual text at the form's scale, never
/// smaller than usual, and for a projector a quarter larger again and bold,
/// so that the back row reads it as it reads the form.
struct PanelText {
  double scale = 1.0;  // over the front end's usual text
  bool bold = false;

  friend bool operator==(const PanelText&, const PanelText&) = default;
};
inline constexpr double kProjectorPanelTextScale = 1.25;

PanelText PanelTextFor(const Presentation& presentation);

/// The margins' text for `presentation`: at scale 1 without a projector as
/// it always was; otherwise as large as fits the margins (the form's small
/// font, or kBoldMarginFontPx in bold for a projector), and at least
/// `least_shown_px` tall as shown (0 for no such floor) where it fits.
MarginText MarginTextFor(const Presentation& presentation, double least_shown_px = 0.0);

}  // namespace switchsim
