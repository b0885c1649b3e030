#pragma once

#include <QColor>
#include <QFont>

#include "look/colours.h"
#include "simulation/constants.h"
#include "look/presentation.h"

class QWidget;

// The window's fonts, and the conversions between the form's colours and Qt's.
namespace switchsim::appearance {

constexpr QColor ToQColor(Rgb colour) {
  return QColor(static_cast<int>(RedOf(colour)), static_cast<int>(GreenOf(colour)),
                static_cast<int>(BlueOf(colour)));
}

inline Rgb ToRgb(const QColor& colour) {
  return MakeRgb(static_cast<std::uint32_t>(colour.red()), static_cast<std::uint32_t>(colour.green()),
                 static_cast<std::uint32_t>(colour.blue()));
}

/// Sets the colour in which a label, button or box writes its text.
void SetForeColour(QWidget& widget, Rgb colour);
/// The colour in which a label, button or box writes its text.
Rgb ForeColour(const QWidget& widget);

/// The plain sans-serif at 18 px.
QFont LargeFont();
/// The plain sans-serif at 16 px.
QFont SmallFont();
/// The plain sans-serif at 16 px, bold.
QFont SmallBoldFont();
/// The plain sans-serif at 10 px, for the additions in the form's margins.
QFont MarginFont();
/// The margins' font as `text` has it, in shown pixels at `scale`.
QFont MarginFont(const MarginText& text, double scale);
/// `usual`, the font of a panel's text, as `presentation` shows it (PanelTextFor): scaled, bold on a projector.
QFont PanelFont(QFont usual, const Presentation& presentation);

}  // namespace switchsim::appearance
