#include "probability/stable_log.h"

#include <cmath>
#include <limits>

namespace switchsim {
namespace {

// ln 2 split in two, so that k·ln 2 is exact in its high part.
inline constexpr double kLn2High = 6.93147180369123816490e-01;
inline constexpr double kLn2Low = 1.90821492927058770002e-10;
inline constexpr double kSqrtHalf = 0.70710678118654752440;

}  // namespace

double StableLog(double x) {
  if (!(x > 0.0) || !std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  // x = m · 2^k with m in [√½, √2): frexp is exact in every build.
  int k = 0;
  double m = std::frexp(x, &k);
  if (m < kSqrtHalf) {
    m *= 2.0;
    --k;
  }
  // ln m = 2·atanh(s) = 2·(s + s³/3 + s⁵/5 + ...), s = (m − 1)/(m + 1), |s| < 0.1716.
  const double s = (m - 1.0) / (m + 1.0);
  const double s2 = s * s;
  double term = s;
  double sum = 0.0;
  for (int n = 1; n <= 41; n += 2) {
    sum += term / n;
    term *= s2;
  }
  return k * kLn2High + (k * kLn2Low + 2.0 * sum);
}

}  // namespace switchsim
