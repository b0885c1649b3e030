#pragma once

#include <functional>
#include <string_view>

#include "form/form_logic.h"
#include "form/run_choice.h"

namespace switchsim {

/// Chooses the boxes of `choice` in the form as the user would, in this
/// order: the size, then each link's delay and rate, then the technique;
/// then the packet and header size. A box that already shows its text runs
/// no handler.
void ChooseBoxes(FormLogic& form, const RunParameters& choice);

/// The same for the boxes whose option `given` names ("size", "rates",
/// ...); the others keep what the form shows.
void ChooseBoxesWhere(FormLogic& form, const RunParameters& choice, const std::function<bool(std::string_view)>& given);

}  // namespace switchsim
