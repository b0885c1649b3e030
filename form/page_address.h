#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "form_logic.h"
#include "run_choice.h"
#include "speed.h"

namespace switchsim {

/// What a shared link's address asks of the page: the boxes it names, the
/// first run's seed, the speed, and whether to start at once.
struct PageRequest : RunChoice {
  /// The parameters given a value, by name ("technique", "size", "rates",
  /// "delays", "seed", "speed", "start"); a box whose parameter was not
  /// given keeps what the form loads.
  std::vector<std::string> given;
  double speed = kNormalSpeed;
  bool start = false;

  bool Given(std::string_view name) const;
};

/// Reads the query of a page's address ("?technique=Circuit&rates=10,0.5,10
/// &start=1", with or without the "?"), percent-decoded, with the command
/// line's names and checks. Returns the request, or one line that names the
/// parameter and its value and says what is allowed; a request is taken
/// whole or not at all.
std::variant<PageRequest, std::string> ReadPageQuery(std::string_view query);

/// Chooses, as the user would, the boxes whose parameter was given: the
/// size, then each link's delay and rate, then the technique.
void ChooseGivenBoxes(FormLogic& form, const PageRequest& request);

}  // namespace switchsim
