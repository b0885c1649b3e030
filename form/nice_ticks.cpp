#include "nice_ticks.h"

#include <cmath>

namespace switchsim {
namespace {

// Leaves room for rounding in the divisions, so that a tick on an end stays.
inline constexpr double kSlack = 1e-9;

double NiceStep(double span, int wanted) {
  const double rough = span / (wanted > 0 ? wanted : 1);
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= rough) return factor * power;
  }
  return 10.0 * power;
}

}  // namespace

std::vector<double> NiceTicks(double low, double high, int wanted) {
  std::vector<double> ticks;
  if (!(high > low) || !std::isfinite(high - low)) return ticks;
  const double step = NiceStep(high - low, wanted);
  const double first = std::ceil(low / step - kSlack);
  const double last = std::floor(high / step + kSlack);
  for (double i = first; i <= last; ++i) ticks.push_back(i * step + 0.0);  // + 0.0: never -0
  return ticks;
}

double NiceCeiling(double value, int wanted) {
  const double step = NiceStep(value, wanted);
  return std::ceil(value / step - kSlack) * step;
}

}  // namespace switchsim
