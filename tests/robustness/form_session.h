#pragma once

#include <string>
#include <vector>

#include "actions.h"
#include "window/form1.h"
#include "invariants.h"

namespace switchsim::robustness {

/// The window's markers and run-button captions, as the checker reads them.
testing::WindowFacts FormFacts(const Form1& form);

/// A real window taking the actions as a user's: buttons clicked, entries
/// picked from the lists, keys typed into the rate boxes, Enter and focus
/// changes, and the timer's slot called for each tick.
class FormSession final : public Session {
 public:
  /// `form` is borrowed, so that one window can live through many sessions.
  explicit FormSession(Form1& form);

  std::vector<std::string> Do(const Action& action) override;

 private:
  std::vector<std::string> PressStart();
  void Pick(QComboBox& box, const std::string& text);
  std::vector<std::string> Type(int link, const std::string& text);

  Form1& form_;
  testing::InvariantChecker checker_;
  bool run_exists_;
};

}  // namespace switchsim::robustness
