#pragma once

#include <vector>

namespace switchsim {

/// Round values for an axis from `low` to `high` (low < high): steps of 1, 2
/// or 5 times a power of ten, about `wanted` of them; the first tick is the
/// first multiple of the step at or above `low`, the last at or below `high`.
std::vector<double> NiceTicks(double low, double high, int wanted);

/// The least multiple of a 1, 2 or 5 step at or above `value` (value > 0),
/// for the top of an axis from 0: 13800 gives 14000.
double NiceCeiling(double value, int wanted);

}  // namespace switchsim
