#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "actions.h"
#include "invariants.h"
#include "random_source.h"
#include "simulation.h"

namespace switchsim::robustness {

/// The simulation on the driver's view with markers, loaded as the window
/// loads, taking actions as the window would pass them on.
class SimulationSession final : public Session {
 public:
  explicit SimulationSession(std::uint64_t seed);

  std::vector<std::string> Do(const Action& action) override;

  const Simulation& simulation() const { return world_.simulation; }
  const testing::MarkerView& view() const { return world_.view; }

 private:
  struct World {
    explicit World(std::uint64_t seed);
    testing::MarkerView view;
    Mt64Random random;
    Simulation simulation;
  };

  void PressStart(std::vector<std::string>& out);
  void SetRate(int link, const std::string& text, std::vector<std::string>& out);
  void EndEditing(int link);

  World world_;
  testing::InvariantChecker checker_;
  bool run_exists_ = false;
};

}  // namespace switchsim::robustness
