#pragma once

#include "form_logic.h"
#include "option_table.h"
#include "run_choice.h"

namespace switchsim {

/// Chooses the boxes of `choice` in the form as the user would, in this
/// order: the size, then each link's delay and rate, then the technique;
/// then the packet and header size. A box that already shows its text runs
/// no handler.
void ChooseBoxes(FormLogic& form, const RunChoice& choice);

/// The same for the boxes whose option `request` was given; the others keep
/// what the form shows.
void ChooseGivenBoxes(FormLogic& form, const RunRequest& request);

}  // namespace switchsim
