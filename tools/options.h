#pragma once

#include <string>
#include <variant>
#include <vector>

#include "options/option_table.h"

namespace switchsim::trace {

/// What the command line asks of the driver: the run's boxes and seed
/// (empty: taken from the system), and what to print and write.
using Options = RunRequest;

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
