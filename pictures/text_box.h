#pragma once

#include "pictures/drawing.h"

namespace switchsim {

/// A rectangle of a picture in px, for telling what a text would cover.
struct Box {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
};

/// Whether the two boxes share more than an edge.
bool Overlap(const Box& a, const Box& b);

/// About where `text` (unrotated) is inked, from the face's widest advances
/// and its ascent and descent, so that a box holds the whole text: never
/// narrower than the text as a front end draws it.
Box TextBox(const DrawText& text);

}  // namespace switchsim
