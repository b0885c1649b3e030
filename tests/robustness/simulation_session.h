#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "actions.h"
#include "invariants.h"
#include "simulation/random_source.h"
#include "form/form_logic.h"
#include "simulation/simulation.h"

namespace switchsim::robustness {

/// The form on the driver's view with markers, loaded as the window loads,
/// taking actions as the window would pass them on.
class SimulationSession final : public Session {
 public:
  explicit SimulationSession(std::uint64_t seed);

  std::vector<std::string> Do(const Action& action) override;

  const Simulation& simulation() const { return world_.form.simulation(); }
  const testing::MarkerView& view() const { return world_.view; }
  const FormLogic& form() const { return world_.form; }

 private:
  struct World {
    explicit World(std::uint64_t seed);
    testing::MarkerView view;
    Mt64Random random;
    FormLogic form;
  };

  void PressStart(std::vector<std::string>& out);
  void SetRate(int link, const std::string& text, std::vector<std::string>& out);
  testing::WindowFacts Facts() const;

  World world_;
  testing::InvariantChecker checker_;
};

}  // namespace switchsim::robustness
