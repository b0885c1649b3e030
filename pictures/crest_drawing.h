#pragma once

#include "pictures/drawing.h"

namespace switchsim {

/// Adds the logo, as the layout describes it, to `drawing` with its top
/// left corner at `top_left` (px): four nodes on three links in the
/// techniques' colours, and the program's name fitted beside them.
void DrawCrest(Drawing& drawing, DrawPoint top_left);

}  // namespace switchsim
