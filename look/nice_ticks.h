#pragma once

#include <vector>

namespace switchsim {

/// Round values for an axis from `low` to `high` (low < high): steps of 1, 2
/// or 5 times a power of ten, about `wanted` of them; the first tick is the
/// first multiple of the step at or above `low`, the last at or below `high`.
std::vector<double> NiceTicks(double low, double high, int wanted);

/// An axis with round ends that holds every value from `least` to `most`.
struct NiceAxis {
  double low = 0.0;
  double high = 1.0;
  double step = 1.0;  // between two ticks; both ends are ticks

  /// The ticks from `low` to `high`, both included.
  std::vector<double> Ticks() const;
};

/// The axis for values from `least` to `most` (0 <= least <= most, most > 0):
/// its ends are the multiples of a 1, 2 or 5 step, chosen for about `wanted`
/// steps between `least` and `most`, at or around them. It starts where the
/// values are, at 0 only when the least value is within a step of it (or
/// all values are equal): 2100 to 3900 gives 2000 to 4000 by 500.
NiceAxis NiceAxisAround(double least, double most, int wanted);

}  // namespace switchsim
