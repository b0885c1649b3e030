#pragma once

#include <string>

#include "pictures/drawing.h"

namespace switchsim {

/// The drawing as a standalone SVG 1.1 document in UTF-8: a white (or the
/// drawing's) background, then each item in order, with the title and
/// description as <title> and <desc>. Coordinates are written to a hundredth
/// of a px, the same text natively and in the page. Texts are character data,
/// never markup: "&", "<", ">" and quotes are escaped, control characters
/// and bytes that are not UTF-8 are left out.
std::string SvgText(const Drawing& drawing);

}  // namespace switchsim
