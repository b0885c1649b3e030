#pragma once

#include <vector>

#include "pictures/drawing.h"

namespace switchsim {

/// A rectangle of a picture in px, for telling what a label would cover.
struct Box {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
};

/// Whether the two boxes share more than an edge.
bool Overlap(const Box& a, const Box& b);

/// About where `text` (unrotated) is inked, from the face's widest advances
/// and its ascent and descent, so that a box holds the whole text.
Box TextBox(const DrawText& text);

/// The square about `centre` that reaches `reach` px from it each way.
Box BoxAround(DrawPoint centre, double reach);

/// Where a label of `width` × `height` px stands beside a mark about
/// `centre` that reaches `reach` px from it: the first of the places around
/// the mark, nearest first and above right first, that lies within `inside`
/// and overlaps none of `taken`; where each overlaps something, the one
/// that overlaps the fewest. Returns the label's box.
Box PlaceLabel(DrawPoint centre, double reach, double width, double height, const Box& inside,
               const std::vector<Box>& taken);

}  // namespace switchsim
