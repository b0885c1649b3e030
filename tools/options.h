#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "run_choice.h"

namespace switchsim::trace {

/// What the command line asks of the driver: the run's boxes and seed
/// (empty: taken from the system), and what to print and write.
struct Options : RunChoice {
  bool json = false;
  bool compare = false;
  std::optional<std::string> png;  // file to write a picture of the window to
  bool additions = false;          // the picture shows the classroom additions
  bool help = false;
  bool version = false;
};

/// A command line the driver refuses; `message` is one line without the
/// program's name, naming the option and the value and what is allowed.
struct UsageError {
  std::string message;
};

/// Reads the arguments after the program's name.
std::variant<Options, UsageError> ParseOptions(const std::vector<std::string>& args);

/// The text of --help.
std::string HelpText();

}  // namespace switchsim::trace
