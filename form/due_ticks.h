#pragma once

#include "form/form_logic.h"
#include "form/run_pacer.h"

namespace switchsim {

/// The most ticks one wake-up of a front end's timer runs: a very late
/// wake-up catches up over several, so that the front end keeps answering.
inline constexpr long kMostTicksAWake = 40;

/// Runs the ticks of `form` that `pacer` says are due by `now_ms` (wall
/// clock, ms), at most kMostTicksAWake, while the form's timer runs; returns
/// how many ran. Both are borrowed for the call.
long RunDueTicks(RunPacer& pacer, FormLogic& form, double now_ms);

}  // namespace switchsim
