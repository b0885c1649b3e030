#include "window/start_options.h"

#include <vector>

#include "text/translation.h"

namespace switchsim {
namespace {

// The toolkit's options that take a value, and those that do not.
const QStringList& ToolkitValueOptions() {
  static const QStringList options = {
      "-platform", "-platformpluginpath", "-platformtheme", "-plugin",  "-qwindowgeometry",
      "-qwindowicon", "-qwindowtitle", "-style", "-stylesheet", "-session", "-display",
      "-geometry", "-title", "-name", "-visual"};
  return options;
}
const QStringList& ToolkitFlags() {
  static const QStringList flags = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};
  return flags;
}

}  // namespace

SplitArguments SplitToolkitArguments(const QStringList& command_line) {
  SplitArguments split;
  for (qsizetype i = 0; i < command_line.size(); ++i) {
    const QString& argument = command_line[i];
    if (i == 0 || ToolkitFlags().contains(argument)) {  // the program's name, or a flag
      split.toolkit << argument;
    } else if (ToolkitValueOptions().contains(argument) && i + 1 < command_line.size()) {
      split.toolkit << argument << command_line[++i];
    } else {
      split.own << argument;
    }
  }
  return split;
}

std::variant<StartOptions, StartError> ParseStartOptions(const QStringList& arguments) {
  std::vector<std::string> args;
  for (const QString& argument : arguments) args.push_back(argument.toStdString());
  auto read = ReadCommandLine(args, FrontEnd::Window);
  if (auto* error = std::get_if<std::string>(&read)) return StartError{std::move(*error)};
  return std::get<StartOptions>(std::move(read));
}

QString StartHelpText() {
  const std::string text =
      Tr("Usage: switchsim [OPTION]...\n"
         "Opens the window of switchsim, which shows one message crossing Transmit, Router A,\n"
         "Router B and Receive by message, circuit or packet switching. The options preset\n"
         "the boxes, as the driver switchsim-trace takes them; --share or --queue with their\n"
         "options opens the Labs window on that lab with those values, and runs it:") +
      "\n\n" + OptionHelp(FrontEnd::Window) + "\n" +
      Tr("Exit status: 0 when the window is closed, 1 without a display, 2 for a bad option.") + "\n";
  return QString::fromStdString(text);
}

}  // namespace switchsim
