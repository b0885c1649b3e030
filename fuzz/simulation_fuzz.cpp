// User actions decoded from the fuzzer's bytes, done on the simulation with
// the driver's view; every invariant is checked after every step.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "actions.h"
#include "simulation_session.h"

namespace {
constexpr int kMaxActions = 80;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace switchsim::robustness;
  ByteChooser chooser(std::span<const std::uint8_t>(data, size));
  SimulationSession session(chooser.Pick(256));
  const std::string report = Play(session, chooser, Alphabet{true}, kMaxActions);
  if (!report.empty()) {
    std::fprintf(stderr, "%s", report.c_str());
    std::abort();
  }
  return 0;
}
