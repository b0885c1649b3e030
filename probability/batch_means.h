#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace switchsim {

/// The mean of a long run of observations, with a confidence interval that
/// holds when neighbouring observations are correlated (bursts, a queue):
/// the run is cut into `batches` batches of equal length, and the spread of
/// their means gives the interval (batch means). The observations' count
/// must be known in advance, so that the batches are equal.
class BatchMeans {
 public:
  /// `count` observations in `batches` batches (at least 2; fewer if `count` is smaller).
  BatchMeans(std::uint64_t count, int batches);

  void Add(double value) {
    if (left_in_batch_ == 0) StartBatch();
    --left_in_batch_;
    sums_[batch_] += value;
    total_ += value;
    ++added_;
  }
  /// Adds `times` observations of `value` at once.
  void AddRepeated(double value, std::uint64_t times);

  std::uint64_t Count() const { return added_; }
  double Mean() const;
  /// Half the width of the interval around Mean() at a confidence of 99.9 %
  /// (Student's t with one fewer degree of freedom than batches); 0 before
  /// two batches are full.
  double HalfWidth() const;

 private:
  void StartBatch();

  std::uint64_t per_batch_;
  std::vector<double> sums_;  // of each batch
  std::size_t batch_ = 0;            // the batch being filled
  std::uint64_t left_in_batch_ = 0;  // room left in it; the last batch takes all that is left
  std::uint64_t added_ = 0;
  double total_ = 0.0;
};

}  // namespace switchsim
