#pragma once

#include "pictures/drawing.h"
#include "form/form_logic.h"
#include "form/form_surface.h"
#include "form/keeping_surface.h"
#include "form/margins.h"

namespace switchsim {

/// The scale of a trace's drawing area as the window shows it, inside its
/// frame: the scale a surface whose strokes FormDrawing draws must give.
TraceScale FramedTraceScale();

/// The form as it shows now, at its own size (1 px a pixel of the form, at
/// 100 %), as a picture: the window's background; the captions, the boxes
/// with their texts and the buttons with their captions, in their fore
/// colours; the nodes, their lines and the base line; each trace with every
/// stroke `kept` holds; the visible markers; and the margins' `additions`.
/// Captions, colours and markers come from `form`, the strokes, the
/// markers' colours and the boxes' texts from `kept`, the surface the form
/// draws through.
Drawing FormDrawing(const FormLogic& form, const KeepingSurface& kept, const Additions& additions);

}  // namespace switchsim
