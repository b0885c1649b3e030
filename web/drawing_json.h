#pragma once

#include <string>

#include "pictures/drawing.h"

namespace switchsim {

/// `drawing` as the page's canvases paint it (drawing.js, curve-canvas.js):
/// {"width", "height", "background", "title", "description", "items": [...]},
/// each item {"k": "line"|"poly"|"rect"|"circle"|"text", ...}, every length
/// and coordinate in hundredths of a px.
std::string DrawingJson(const Drawing& drawing);

}  // namespace switchsim
