#pragma once

#include <vector>

#include "simulation/random_source.h"

namespace switchsim {

/// Draws from the binomial distribution of `trials` trials (0 to a few
/// thousand) of chance `p` (0 to 1) in constant time, one number of the
/// source a draw, by Walker's alias method over its probabilities. The
/// tables are built from additions, multiplications and divisions alone, so
/// that a seed draws the same values in every build.
class BinomialDraw {
 public:
  BinomialDraw(int trials, double p);

  /// One draw, 0 to `trials`.
  int Draw(RandomSource& random) const;

 private:
  std::vector<double> keep_;  // by outcome: the chance to keep it when its column is drawn
  std::vector<int> alias_;    // and the outcome taken instead
};

/// Binomial draws of one chance for every number of trials up to a limit,
/// each table built when first asked for.
class BinomialDraws {
 public:
  BinomialDraws(int most_trials, double p) : p_(p), draws_(static_cast<std::size_t>(most_trials) + 1) {}
  int Draw(int trials, RandomSource& random);

 private:
  double p_;
  std::vector<std::vector<BinomialDraw>> draws_;  // by trials: none yet, or the one table
};

}  // namespace switchsim
