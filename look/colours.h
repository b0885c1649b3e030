#pragma once

#include <array>

#include "simulation/constants.h"
#include "simulation/techniques.h"

// The form's colours beside those the simulation draws with, the same for
// every front end.
namespace switchsim::appearance {

inline constexpr Rgb kWindowColour = MakeRgb(236, 236, 233);   // the window's background
inline constexpr Rgb kTraceColour = MakeRgb(255, 255, 255);    // a trace's drawing area
inline constexpr Rgb kTraceBorder = MakeRgb(150, 150, 150);    // a trace's frame
inline constexpr Rgb kFocusColour = MakeRgb(48, 110, 200);     // a focused trace's frame
inline constexpr Rgb kNodeLineColour = MakeRgb(64, 64, 64);    // node lines, base line, node boxes
inline constexpr Rgb kTextColour = kBlack;                     // captions
inline constexpr Rgb kMarkerEdgeColour = MakeRgb(48, 48, 48);      // the edge around a marker line
inline constexpr Rgb kAdditionTextColour = MakeRgb(32, 32, 32);    // labels and scale in the margins
inline constexpr Rgb kAdditionLineColour = MakeRgb(96, 96, 96);    // the scale's ticks, label leaders
inline constexpr Rgb kOverloadColour = MakeRgb(210, 30, 30);       // a shared link overloaded, a packet lost

/// The logo's three links, in the colours of the three techniques' markers.
inline constexpr std::array<Rgb, kLinkCount> kLogoLinkColours = {kTechniques[0].colour, kTechniques[1].colour,
                                                                 kTechniques[2].colour};

}  // namespace switchsim::appearance
