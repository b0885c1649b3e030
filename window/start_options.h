#pragma once

#include <QStringList>
#include <string>
#include <variant>

#include "options/option_table.h"

namespace switchsim {

/// What the window's command line asks for: the boxes and the first seed,
/// the speed, and whether to start at once.
using StartOptions = RunRequest;

/// A command line the window refuses: one line naming the option, the value
/// and what is allowed, in the driver's words.
struct StartError {
  std::string message;
};

/// Reads the window's options from `arguments` (without the program's
/// name, and without the toolkit's own options, see SplitToolkitArguments).
std::variant<StartOptions, StartError> ParseStartOptions(const QStringList& arguments);

/// Splits a command line (with the program's name first) into the toolkit's
/// own options, such as "-platform offscreen" or "-style fusion", which go
/// to the application object with the program's name, and the rest.
struct SplitArguments {
  QStringList toolkit;  // the program's name, then the toolkit's options
  QStringList own;
};
SplitArguments SplitToolkitArguments(const QStringList& command_line);

/// The text of --help.
QString StartHelpText();

}  // namespace switchsim
