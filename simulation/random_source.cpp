#include "simulation/random_source.h"

#include <chrono>

namespace switchsim {

double Mt64Random::NextDouble() {
  constexpr double kTwoToMinus53 = 1.0 / 9007199254740992.0;
  return static_cast<double>(engine_() >> 11) * kTwoToMinus53;
}

void Mt64Random::Reseed(std::uint64_t seed) {
  engine_.seed(seed);
}

std::uint64_t Mt64Random::SystemSeed() {
  std::random_device device;
  const std::uint64_t entropy = (static_cast<std::uint64_t>(device()) << 32) ^ device();
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  return entropy ^ static_cast<std::uint64_t>(now);
}

}  // namespace switchsim
