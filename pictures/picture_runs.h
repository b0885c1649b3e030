#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "form/form_logic.h"
#include "simulation/random_source.h"
#include "form/run_choice.h"

namespace switchsim {

/// What the driver's pictures show: chooses the boxes of `choice` on `form`
/// as a user would, then runs each of `techniques` in turn, pressing Reset
/// between runs and starting `random` (the form's random source) again from
/// `seed` before each, ticking until the timer stops. The last run's strokes
/// and every run's markers stay on the form.
void RunForPicture(FormLogic& form, Mt64Random& random, const RunParameters& choice,
                   const std::vector<std::string>& techniques, std::uint64_t seed);

}  // namespace switchsim
