#include "look/nice_ticks.h"

#include <algorithm>
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

std::vector<double> NiceAxis::Ticks() const {
  std::vector<double> ticks;
  const double count = std::round((high - low) / step);
  for (double i = 0; i <= count; ++i) ticks.push_back(low + i * step + 0.0);
  return ticks;
}

NiceAxis NiceAxisAround(double least, double most, int wanted) {
  most = std::max(most, least);
  // Equal values, or a span too small against them to be told apart: from 0.
  if (!(most - least > most * kSlack)) least = 0.0;
  if (!(most > 0.0)) most = 1.0;
  NiceAxis axis;
  axis.step = NiceStep(most - least, wanted);
  axis.low = std::max(0.0, std::floor(least / axis.step + kSlack) * axis.step) + 0.0;
  axis.high = std::ceil(most / axis.step - kSlack) * axis.step;
  if (axis.high <= axis.low) axis.high = axis.low + axis.step;
  return axis;
}

}  // namespace switchsim
