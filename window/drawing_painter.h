#pragma once

#include <QImage>
#include <QPainter>

#include "pictures/drawing.h"

namespace switchsim {

/// Paints `drawing` with `painter`, whose coordinates are the drawing's px:
/// the background, then each item in order, as SvgText writes them.
void PaintDrawing(QPainter& painter, const Drawing& drawing);

/// The drawing as an image `scale` times its size in px (for a PNG).
QImage ImageOf(const Drawing& drawing, double scale);

}  // namespace switchsim
