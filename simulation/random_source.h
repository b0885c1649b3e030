#pragma once

#include <cstdint>
#include <random>

namespace switchsim {

/// A source of pseudo-random doubles in [0, 1), injected into the simulation.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  /// The next number, in [0, 1).
  virtual double NextDouble() = 0;
};

/// The default source: a 64-bit Mersenne Twister whose output is turned into
/// a double from its 53 high bits, so that a seed gives the same numbers with
/// every compiler and standard library.
class Mt64Random final : public RandomSource {
 public:
  explicit Mt64Random(std::uint64_t seed) : engine_(seed) {}

  double NextDouble() override;

  /// Starts the sequence of `seed` again.
  void Reseed(std::uint64_t seed);

  /// A seed taken from the system's entropy source and the clock.
  static std::uint64_t SystemSeed();

 private:
  std::mt19937_64 engine_;
};

}  // namespace switchsim
