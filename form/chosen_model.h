#pragma once

#include "formulas/continuous_time.h"
#include "form/form_logic.h"

namespace switchsim {

/// The model of the boxes as the user chose them: a rate box the circuit
/// turned red counts at the user's own rate, which Reset brings back, and a
/// rate box whose text is no usable rate at the rate the tick uses.
LinkModel ChosenModel(const FormLogic& form);

}  // namespace switchsim
