#pragma once

#include <QColor>
#include <QFont>

#include "constants.h"

class QWidget;

// The window's colours and fonts, and the conversions between the
// simulation's colours and Qt's.
namespace switchsim::appearance {

inline constexpr Rgb kWindowColour = MakeRgb(236, 236, 233);   // the window's background
inline constexpr Rgb kTraceColour = MakeRgb(255, 255, 255);    // a trace's drawing area
inline constexpr Rgb kTraceBorder = MakeRgb(150, 150, 150);    // a trace's frame
inline constexpr Rgb kFocusColour = MakeRgb(48, 110, 200);     // a focused trace's frame
inline constexpr Rgb kNodeLineColour = MakeRgb(64, 64, 64);    // node lines, base line, node boxes
inline constexpr Rgb kTextColour = kBlack;                     // captions
inline constexpr Rgb kPacketMarkerColour = MakeRgb(224, 128, 32);  // the packet marker before a run
inline constexpr Rgb kMarkerEdgeColour = MakeRgb(48, 48, 48);      // the edge around a marker line
inline constexpr Rgb kAdditionTextColour = MakeRgb(32, 32, 32);    // labels and scale in the margins
inline constexpr Rgb kAdditionLineColour = MakeRgb(96, 96, 96);    // the scale's ticks, label leaders

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

}  // namespace switchsim::appearance
