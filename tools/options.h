#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "lists.h"

namespace switchsim::trace {

/// What the command line asks of the driver. Texts are box texts, as a user
/// would choose or type them in the window.
struct Options {
  std::string technique{lists::kDefaultMethod};
  std::string size{lists::kDefaultSize};
  std::array<std::string, 3> rates = {std::string(lists::kDefaultRates[0]),
                                      std::string(lists::kDefaultRates[1]),
                                      std::string(lists::kDefaultRates[2])};
  std::array<std::string, 3> delays = {std::string(lists::kDefaultDelay),
                                       std::string(lists::kDefaultDelay),
                                       std::string(lists::kDefaultDelay)};
  std::optional<std::uint64_t> seed;  // empty: taken from the system
  bool json = false;
  bool compare = false;
  std::optional<std::string> png;  // file to write a picture of the window to
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

/// A value in double quotes for a message: quotes and backslashes get a
/// backslash, control characters are escaped ("\n", "\x01"), so that the
/// message stays on one line.
std::string Quoted(const std::string& text);

/// The text of --help.
std::string HelpText();

}  // namespace switchsim::trace
