#include "probability/binomial_tail.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace switchsim {
namespace {

// A positive number as a mantissa in [0.5, 1) and a power of two, so that a
// product of a thousand small factors neither vanishes nor loses bits.
struct Scaled {
  double mantissa = 0.5;
  long long exponent = 1;  // 0.5 · 2^1 = 1

  void Times(double factor) {
    int e = 0;
    mantissa = std::frexp(mantissa * factor, &e);
    exponent += e;
  }
  /// The value as a double: 0 when it is far too small to count.
  double Value() const {
    if (exponent < -1100) return 0.0;
    return std::ldexp(mantissa, static_cast<int>(exponent));
  }
};

}  // namespace

double BinomialTail(int trials, double p, int n) {
  if (n < 0) return 1.0;
  if (n >= trials) return 0.0;
  // t_0 = (1 − p)^trials, then t_(k+1) = t_k · (trials − k)/(k + 1) · p/(1 − p).
  const double q = 1.0 - p;
  const double odds = p / q;
  Scaled term;
  for (int i = 0; i < trials; ++i) term.Times(q);
  std::vector<Scaled> terms{term};
  for (int k = 0; k < trials; ++k) {
    term.Times(static_cast<double>(trials - k) / static_cast<double>(k + 1));
    term.Times(odds);
    terms.push_back(term);
  }
  // The tail's terms summed at the scale of its largest, smallest first.
  long long top = terms[n + 1].exponent;
  for (int k = n + 1; k <= trials; ++k) top = std::max(top, terms[k].exponent);
  double sum = 0.0;
  for (int k = trials; k > n; --k) {
    sum += std::ldexp(terms[k].mantissa, static_cast<int>(std::max(terms[k].exponent - top, -1100LL)));
  }
  Scaled total;
  int e = 0;
  total.mantissa = std::frexp(sum, &e);
  total.exponent = e + top;
  return total.Value();
}

}  // namespace switchsim
