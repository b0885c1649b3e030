#include "records/run_seeds.h"

#include "simulation/random_source.h"

namespace switchsim {
namespace {

constexpr std::uint64_t kFreshSeedSpan = 999999;  // fresh seeds run from 1 to this

}  // namespace

std::uint64_t RunSeeds::FreshSeed() { return Mt64Random::SystemSeed() % kFreshSeedSpan + 1; }

std::uint64_t RunSeeds::Next() {
  const std::uint64_t seed = next_ ? *next_ : fresh_();
  next_.reset();
  return seed;
}

}  // namespace switchsim
