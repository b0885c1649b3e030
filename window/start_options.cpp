#include "start_options.h"

#include <QCommandLineParser>
#include <algorithm>
#include <array>
#include <functional>

namespace switchsim {
namespace {

using Checker = std::function<std::optional<std::string>(const std::string&, StartOptions&)>;

struct ValueOption {
  const char* name;
  const char* value_name;
  Checker check;
};

const std::array<ValueOption, 6>& ValueOptions() {
  static const std::array<ValueOption, 6> options = {{
      {"technique", "NAME", ChooseTechnique},
      {"size", "N", ChooseSize},
      {"rates", "A,B,C", ChooseRates},
      {"delays", "A,B,C", ChooseDelays},
      {"seed", "N", ChooseSeed},
      {"speed", "S",
       [](const std::string& value, StartOptions& options) { return ChooseSpeed(value, options.speed); }},
  }};
  return options;
}

constexpr std::array<const char*, 3> kFlags = {"start", "help", "version"};

std::string UnknownOption(const QString& argument) {
  return Quoted(argument.toStdString()) +
         " is not an option; see --help for --technique, --size, --rates, --delays, --seed, "
         "--speed, --start, --version";
}

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
  const auto takes_value = [](const QString& name) {
    return std::any_of(ValueOptions().begin(), ValueOptions().end(),
                       [&](const ValueOption& option) { return name == option.name; });
  };
  const auto is_flag = [](const QString& name) {
    return std::any_of(kFlags.begin(), kFlags.end(), [&](const char* flag) { return name == flag; });
  };
  // The parser would name an unknown option in its own words; the driver's
  // are these, and an argument that is no option at all is refused the same way.
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("-h")) continue;
    if (!argument.startsWith(QLatin1String("--")) || argument == QLatin1String("--")) {
      return StartError{UnknownOption(argument)};
    }
    const QString name = argument.mid(2).section(QLatin1Char('='), 0, 0);
    if (takes_value(name)) {
      if (!argument.contains(QLatin1Char('='))) ++i;
    } else if (!is_flag(name)) {
      return StartError{UnknownOption(argument)};
    } else if (argument.contains(QLatin1Char('='))) {
      return StartError{"--" + name.toStdString() + ": takes no value, but was given " +
                        Quoted(argument.section(QLatin1Char('='), 1).toStdString())};
    }
  }

  QCommandLineParser parser;
  for (const ValueOption& option : ValueOptions()) {
    parser.addOption(QCommandLineOption(QString::fromLatin1(option.name), QString(),
                                        QString::fromLatin1(option.value_name)));
  }
  for (const char* flag : kFlags) parser.addOption(QCommandLineOption(QString::fromLatin1(flag)));
  parser.addOption(QCommandLineOption(QStringLiteral("h")));
  if (!parser.parse(QStringList{QStringLiteral("switchsim")} + arguments)) {
    // All else was checked above: an option that needs a value came last.
    return StartError{arguments.last().toStdString() + ": needs a value"};
  }

  const auto times = [&parser](const QString& name) { return parser.optionNames().count(name); };
  StartOptions options;
  for (const QString& name : parser.optionNames()) {
    const qsizetype given = name == QLatin1String("h") || name == QLatin1String("help")
                                ? times(QStringLiteral("h")) + times(QStringLiteral("help"))
                                : times(name);
    if (given > 1) {
      return StartError{"--" + (name == QLatin1String("h") ? std::string("help") : name.toStdString()) +
                        ": given more than once"};
    }
  }
  for (const ValueOption& option : ValueOptions()) {
    const QString name = QString::fromLatin1(option.name);
    if (!parser.isSet(name)) continue;
    if (const auto error = option.check(parser.value(name).toStdString(), options)) {
      return StartError{"--" + name.toStdString() + ": " + *error};
    }
    options.given << name;
  }
  options.start = parser.isSet(QStringLiteral("start"));
  options.help = parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("h"));
  options.version = parser.isSet(QStringLiteral("version"));
  return options;
}

QString StartHelpText() {
  return QStringLiteral(
      "Usage: switchsim [OPTION]...\n"
      "Opens the window of switchsim, which shows one message crossing Transmit, Router A,\n"
      "Router B and Receive by message, circuit or packet switching. The options preset\n"
      "the boxes, as the driver switchsim-trace takes them:\n"
      "\n"
      "  --technique NAME  Message, Circuit or Packet (default Message)\n"
      "  --size N          message size: 100, 200, 300, 400, 500 or 1000 (default 300)\n"
      "  --rates A,B,C     bit rates of the three links, positive numbers (default 1.0,0.5,1.0)\n"
      "  --delays A,B,C    delays of the three links: 20, 50, 100 or 200 (default 50,50,50)\n"
      "  --seed N          seed of the first run's random numbers (default: a fresh one)\n"
      "  --speed S         0.25, 0.5, 1, 2 or 4 times the normal pace (default 1)\n"
      "  --start           start the run at once\n"
      "  -h, --help        show this help\n"
      "  --version         show the version\n"
      "\n"
      "Exit status: 0 when the window is closed, 2 for a bad option.\n");
}

}  // namespace switchsim
