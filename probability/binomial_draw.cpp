#include "probability/binomial_draw.h"

#include <algorithm>
#include <cmath>

namespace switchsim {
namespace {

// Below this share of the most likely outcome an outcome is never drawn.
inline constexpr double kNegligible = 1e-300;

// The probabilities of 0 to `trials` successes, from the most likely outward
// by the ratio of neighbours, so that none overflows; summing to 1.
std::vector<double> Probabilities(int trials, double p) {
  std::vector<double> weights(static_cast<std::size_t>(trials) + 1, 0.0);
  if (p <= 0.0 || p >= 1.0) {
    weights[p <= 0.0 ? 0 : trials] = 1.0;
    return weights;
  }
  const double odds = p / (1.0 - p);
  const int mode = std::min(trials, static_cast<int>(std::floor((trials + 1) * p)));
  weights[mode] = 1.0;
  for (int k = mode; k < trials && weights[k] > kNegligible; ++k) {
    weights[k + 1] = weights[k] * (static_cast<double>(trials - k) / (k + 1)) * odds;
  }
  for (int k = mode; k > 0 && weights[k] > kNegligible; --k) {
    weights[k - 1] = weights[k] * (static_cast<double>(k) / (trials - k + 1)) / odds;
  }
  double total = 0.0;
  for (const double w : weights) total += w;
  for (double& w : weights) w /= total;
  return weights;
}

}  // namespace

BinomialDraw::BinomialDraw(int trials, double p) {
  const std::vector<double> probabilities = Probabilities(trials, p);
  const int n = static_cast<int>(probabilities.size());
  keep_.assign(probabilities.size(), 1.0);
  alias_.resize(probabilities.size());
  std::vector<double> scaled(probabilities.size());
  std::vector<int> small;
  std::vector<int> large;
  for (int i = 0; i < n; ++i) {
    scaled[i] = probabilities[i] * n;
    alias_[i] = i;
    (scaled[i] < 1.0 ? small : large).push_back(i);
  }
  while (!small.empty() && !large.empty()) {
    const int s = small.back();
    small.pop_back();
    const int l = large.back();
    keep_[s] = scaled[s];
    alias_[s] = l;
    scaled[l] = (scaled[l] + scaled[s]) - 1.0;
    if (scaled[l] < 1.0) {
      large.pop_back();
      small.push_back(l);
    }
  }
}

int BinomialDraw::Draw(RandomSource& random) const {
  const double v = random.NextDouble() * static_cast<double>(keep_.size());
  // v may round up to the size itself.
  const auto column = std::min(static_cast<std::size_t>(v), keep_.size() - 1);
  return v - static_cast<double>(column) < keep_[column] ? static_cast<int>(column) : alias_[column];
}

int BinomialDraws::Draw(int trials, RandomSource& random) {
  std::vector<BinomialDraw>& held = draws_.at(static_cast<std::size_t>(trials));
  if (held.empty()) held.emplace_back(trials, p_);
  return held.front().Draw(random);
}

}  // namespace switchsim
