#pragma once

#include "pictures/drawing.h"
#include "pictures/text_box.h"

namespace switchsim {

/// The least box holding every unrotated text of `drawing`, by its TextBox;
/// all zero for a drawing with none.
Box TextsReach(const Drawing& drawing);

/// Keeps a drawing's unrotated texts inside it, by their TextBox: moves every
/// item right as far as the leftmost text starts left of the drawing's edge,
/// then widens the drawing as far as the rightmost ends beyond it. A drawing
/// whose texts lie inside is left exactly as it was.
void KeepTextsInside(Drawing& drawing);

}  // namespace switchsim
