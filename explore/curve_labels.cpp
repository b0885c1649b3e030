#include "explore/curve_labels.h"

#include <array>
#include <cstddef>
#include <limits>
#include <utility>

namespace switchsim {
namespace {

inline constexpr double kGapPx = 2.0;      // between a mark and its label
inline constexpr double kFartherPx = 8.0;  // from one ring of places to the next
inline constexpr int kRings = 4;
// Directions from the mark, in the order tried: right above first, where a
// reader looks for a mark's number.
inline constexpr std::array<std::pair<int, int>, 8> kDirections = {
    {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {0, -1}, {0, 1}, {1, 0}, {-1, 0}}};

bool Within(const Box& box, const Box& inside) {
  return box.left >= inside.left && box.right <= inside.right && box.top >= inside.top &&
         box.bottom <= inside.bottom;
}

// The box of a label `gap` px from the mark's edge in direction (dx, dy).
Box Placed(DrawPoint centre, double gap, int dx, int dy, double width, double height) {
  const double left = dx > 0 ? centre.x + gap : dx < 0 ? centre.x - gap - width : centre.x - width / 2;
  const double top = dy > 0 ? centre.y + gap : dy < 0 ? centre.y - gap - height : centre.y - height / 2;
  return {left, top, left + width, top + height};
}

}  // namespace

Box BoxAround(DrawPoint centre, double reach) {
  return {centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach};
}

Box PlaceLabel(DrawPoint centre, double reach, double width, double height, const Box& inside,
               const std::vector<Box>& taken) {
  // Only what lies near the mark can be in a label's way.
  const double far = reach + kGapPx + kFartherPx * kRings + width + height;
  std::vector<Box> near;
  for (const Box& box : taken) {
    if (Overlap(box, BoxAround(centre, far))) near.push_back(box);
  }
  Box best = Placed(centre, reach + kGapPx, 1, -1, width, height);
  std::size_t fewest = std::numeric_limits<std::size_t>::max();
  for (int ring = 0; ring < kRings; ++ring) {
    for (const auto& [dx, dy] : kDirections) {
      const Box box = Placed(centre, reach + kGapPx + kFartherPx * ring, dx, dy, width, height);
      if (!Within(box, inside)) continue;
      std::size_t overlaps = 0;
      for (const Box& other : near) overlaps += Overlap(box, other) ? 1 : 0;
      if (overlaps == 0) return box;
      if (overlaps < fewest) {
        fewest = overlaps;
        best = box;
      }
    }
  }
  return best;
}

}  // namespace switchsim
