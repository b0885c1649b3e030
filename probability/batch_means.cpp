#include "probability/batch_means.h"

#include <algorithm>
#include <cmath>

namespace switchsim {
namespace {

// Student's t for a two-sided 99.9 % interval, by degrees of freedom from 1;
// beyond the table the value for 100.
inline constexpr double kT999[] = {636.62, 31.599, 12.924, 8.610, 6.869, 5.959, 5.408, 5.041, 4.781, 4.587,
                                   4.437,  4.318,  4.221,  4.140, 4.073, 4.015, 3.965, 3.922, 3.883, 3.850,
                                   3.819,  3.792,  3.768,  3.745, 3.725, 3.707, 3.690, 3.674, 3.659, 3.646,
                                   3.633,  3.622,  3.611,  3.601, 3.591, 3.582, 3.574, 3.566, 3.558, 3.551,
                                   3.544,  3.538,  3.532,  3.526, 3.520, 3.515, 3.510, 3.505, 3.500, 3.496};
inline constexpr double kT999Far = 3.390;

}  // namespace

BatchMeans::BatchMeans(std::uint64_t count, int batches) {
  const std::uint64_t wanted = static_cast<std::uint64_t>(std::max(batches, 2));
  const std::uint64_t used = std::max<std::uint64_t>(1, std::min(wanted, count));
  per_batch_ = std::max<std::uint64_t>(1, count / used);
  sums_.assign(used, 0.0);
}

void BatchMeans::StartBatch() {
  batch_ = std::min<std::size_t>(static_cast<std::size_t>(added_ / per_batch_), sums_.size() - 1);
  left_in_batch_ = batch_ + 1 == sums_.size() ? UINT64_MAX : (batch_ + 1) * per_batch_ - added_;
}

void BatchMeans::AddRepeated(double value, std::uint64_t times) {
  while (times > 0) {
    if (left_in_batch_ == 0) StartBatch();
    const std::uint64_t now = std::min(times, left_in_batch_);
    sums_[batch_] += value * static_cast<double>(now);
    total_ += value * static_cast<double>(now);
    added_ += now;
    left_in_batch_ -= now;
    times -= now;
  }
}

double BatchMeans::Mean() const { return added_ == 0 ? 0.0 : total_ / static_cast<double>(added_); }

double BatchMeans::HalfWidth() const {
  const std::uint64_t full = std::min<std::uint64_t>(added_ / per_batch_, sums_.size());
  if (full < 2) return 0.0;
  std::vector<double> means;
  for (std::uint64_t b = 0; b < full; ++b) {
    const bool last = b + 1 == sums_.size();
    const std::uint64_t size = last ? added_ - b * per_batch_ : per_batch_;
    means.push_back(sums_[b] / static_cast<double>(size));
  }
  double mean = 0.0;
  for (const double m : means) mean += m;
  mean /= static_cast<double>(means.size());
  double squares = 0.0;
  for (const double m : means) squares += (m - mean) * (m - mean);
  const double sd = std::sqrt(squares / static_cast<double>(means.size() - 1));
  const std::size_t freedom = means.size() - 1;
  const double t = freedom <= std::size(kT999) ? kT999[freedom - 1] : kT999Far;
  return t * sd / std::sqrt(static_cast<double>(means.size()));
}

}  // namespace switchsim
