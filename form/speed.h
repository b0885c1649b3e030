#pragma once

#include <array>
#include <string_view>

#include "simulation/constants.h"

namespace switchsim {

/// One speed of a run: how many ticks go into one tick's worth of wall time.
/// Every tick still advances the clock by the timer's interval, so a run's
/// events are the same at every speed; only the wall time between ticks
/// changes.
struct SpeedStep {
  double factor = 1.0;
  std::string_view option;  // as the command line and a page's address write it
  std::string_view name;    // as the run menu and the status bar show it
};

inline constexpr std::array<SpeedStep, 5> kSpeeds = {{
    {0.25, "0.25", "\u00bc\u00d7"},
    {0.5, "0.5", "\u00bd\u00d7"},
    {1.0, "1", "1\u00d7"},
    {2.0, "2", "2\u00d7"},
    {4.0, "4", "4\u00d7"},
}};
inline constexpr double kNormalSpeed = 1.0;

/// Wall time between two ticks at `speed`, in ms: the timer's interval
/// divided by the speed.
constexpr double WallPeriodMs(double speed) { return kTimerIntervalMs / speed; }

/// The speed's name ("\u00bc\u00d7" ... "4\u00d7"); a speed not in the list gives "1\u00d7".
std::string_view SpeedName(double speed);

/// The index in kSpeeds of `speed`, or of the normal speed when it is none of them.
std::size_t SpeedIndex(double speed);

}  // namespace switchsim
