#pragma once

#include <vector>

#include "pictures/text_box.h"

namespace switchsim {

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
