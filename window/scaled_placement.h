#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;

namespace switchsim {

/// `rect`, in pixels of the form, as shown at `scale` (ScaledPixels).
QRect Scaled(const QRect& rect, double scale);

/// Where each child of a widget stands at scale 1, with its font's size, so
/// that all of them can be placed again at any scale: their places, sizes
/// and fonts grow and shrink together, and scale 1 is the form as built.
class ScaledPlacement {
 public:
  /// Notes the place and font of each direct child of `parent`, but not of
  /// those in `placed_elsewhere` (children that place themselves).
  void Record(const QWidget& parent, const std::vector<const QWidget*>& placed_elsewhere);
  /// Places every child noted at `scale`, with its font scaled as well; a
  /// label whose caption would not fit widens as PlaceLabel widens it.
  void Apply(double scale) const;
  /// Places `widget` again at `scale`, as Apply does, after its text changed.
  void Refit(const QWidget& widget, double scale) const;

  /// Places a label and, should its caption not fit, gives it a smaller font
  /// down to half its own when the language is not English (a longer word
  /// of another language), then widens it towards the side its text is not aligned to, so that the text
  /// stays where it was meant to be.
  static void PlaceLabel(QLabel& label, const QRect& geometry);
  /// Gives `button` a font of `font_px`, or, in a language other than
  /// English, a smaller one down to half of it should its caption not fit: a
  /// button cannot widen without covering its neighbours.
  static void FitButton(QPushButton& button, int font_px);

 private:
  struct Placed {
    QPointer<QWidget> widget;
    QRect geometry;    // px of the form
    int font_px = 0;   // 0 for a child that keeps the font it inherits
  };
  static void Place(const Placed& placed, double scale);
  // The largest font from `font_px` down to half of it in which `caption` fits `room_px`.
  static void ShrinkToFit(QWidget& widget, const QString& caption, int room_px, int font_px);
  std::vector<Placed> placed_;
};

}  // namespace switchsim
