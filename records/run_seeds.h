#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace switchsim {

/// The seeds of a window's runs: the first run takes the seed it was given,
/// if any, and every later run a fresh one, so that each run can be given
/// again to the driver.
class RunSeeds {
 public:
  /// Gives a fresh seed for a run; the default draws from the system.
  using Source = std::function<std::uint64_t()>;

  explicit RunSeeds(std::optional<std::uint64_t> first, Source fresh = FreshSeed)
      : next_(first), fresh_(std::move(fresh)) {}

  /// A seed from the system's entropy, from 1 to 999999 so that it reads well.
  static std::uint64_t FreshSeed();

  /// The seed of the next run.
  std::uint64_t Next();
  /// The next run takes `seed`; later ones fresh seeds again.
  void SetNext(std::uint64_t seed) { next_ = seed; }

 private:
  std::optional<std::uint64_t> next_;
  Source fresh_;
};

}  // namespace switchsim
