#pragma once

#include "form_logic.h"
#include "option_table.h"
#include "run_choice.h"
#include "run_log.h"

namespace switchsim {

/// Chooses the boxes of `choice` in the form as the user would, in this
/// order: the size, then each link's delay and rate, then the technique;
/// then the packet and header size. A box that already shows its text runs
/// no handler.
void ChooseBoxes(FormLogic& form, const RunChoice& choice);

/// The same for the boxes whose option `request` was given; the others keep
/// what the form shows.
void ChooseGivenBoxes(FormLogic& form, const RunRequest& request);

/// What the boxes show now, with `seed`: the parameters a Start would run.
RunParameters BoxParameters(const FormLogic& form, std::uint64_t seed);

/// The parameters the user chose, with `seed`: the boxes, but where the
/// circuit rule wrote a rate (red) the rate the user chose before it.
RunParameters ChosenParameters(const FormLogic& form, std::uint64_t seed);

}  // namespace switchsim
