#pragma once

#include <span>
#include <string>
#include <string_view>

#include "simulation/constants.h"
#include "form/marker.h"

namespace switchsim {

/// The boxes of the form that hold a text.
enum class BoxKind { Rate, Delay, Method, Size };

/// One box: a rate or delay box of a link (0 to 2), or the technique or
/// message-size box (link unused).
struct BoxId {
  BoxKind kind = BoxKind::Method;
  int link = 0;

  friend bool operator==(const BoxId&, const BoxId&) = default;
};

constexpr BoxId RateBox(int link) { return {BoxKind::Rate, link}; }
constexpr BoxId DelayBox(int link) { return {BoxKind::Delay, link}; }
inline constexpr BoxId kMethodBox = {BoxKind::Method, 0};
inline constexpr BoxId kSizeBox = {BoxKind::Size, 0};

/// A trace's horizontal scale, in twips: x runs from `left` to `left + width`
/// across its drawing area.
struct TraceScale {
  float width = 0.0F;
  float left = 0.0F;
};

/// What the form needs of a toolkit's controls: texts and lists of boxes,
/// fore colours, captions, the traces, the markers and the timer. A front end
/// implements it with its widgets (or with plain values, for the driver); the
/// form holds a non-owning reference, so the surface must outlive it.
///
/// The surface raises no handler of its own accord when the form sets
/// something: changes the form makes run the handlers the form decides. When
/// the user changes a box, the front end calls FormLogic::BoxChanged.
class FormSurface {
 public:
  virtual ~FormSurface() = default;

  /// Replaces a box's list with `items`; the box's text stays as it was.
  virtual void FillList(BoxId box, std::span<const std::string_view> items) = 0;
  /// The box's current text.
  virtual std::string BoxText(BoxId box) const = 0;
  /// Sets the box's text. A pick-only box (all but the rate boxes) may keep
  /// its text when `text` is none of its items.
  virtual void SetBoxText(BoxId box, std::string_view text) = 0;

  /// Fore colour of a link's rate box and of its "Bit-Rate" label.
  virtual void SetRateColour(int link, Rgb colour) = 0;
  virtual void SetRateLabelColour(int link, Rgb colour) = 0;

  /// Caption of run button 0 ("Start"/"Reset") or 1 ("Pause"/"Cont").
  virtual void SetCaption(int button, std::string_view caption) = 0;

  /// Removes every stroke from the link's trace.
  virtual void ClearTrace(int link) = 0;
  /// The trace's horizontal scale, which depends on its border.
  virtual TraceScale ScaleOf(int link) const = 0;
  /// Draws a segment on the link's trace from (x1, y1) to (x2, y2), in twips
  /// of the trace's scale, one pixel thick, in `colour`.
  virtual void DrawLine(int link, double x1, double y1, double x2, double y2, Rgb colour) = 0;

  /// Moves a marker to `y_twips` on the form, recolours and shows it.
  virtual void ShowMarker(Marker marker, double y_twips, Rgb colour) = 0;
  virtual void HideMarker(Marker marker) = 0;

  /// Starts or stops the periodic timer whose ticks call FormLogic::Timer1_Timer.
  virtual void SetTimerRunning(bool running) = 0;
};

}  // namespace switchsim
