#include "options.h"

#include <functional>
#include <map>
#include <set>

namespace switchsim::trace {
namespace {

// Each checker returns an error message for the value, or nothing.
using Checker = std::function<std::optional<std::string>(const std::string&, Options&)>;

std::optional<std::string> SetPng(const std::string& value, Options& options) {
  if (value.empty()) return std::string("\"\" is not a file name");
  options.png = value;
  return std::nullopt;
}

const std::map<std::string, Checker>& ValueOptions() {
  static const std::map<std::string, Checker> options = {
      {"--technique", ChooseTechnique}, {"--size", ChooseSize}, {"--rates", ChooseRates},
      {"--delays", ChooseDelays},       {"--seed", ChooseSeed},  {"--png", SetPng},
  };
  return options;
}

bool* FlagOf(const std::string& name, Options& options) {
  if (name == "--json") return &options.json;
  if (name == "--compare") return &options.compare;
  if (name == "--additions") return &options.additions;
  if (name == "--help" || name == "-h") return &options.help;
  if (name == "--version") return &options.version;
  return nullptr;
}

}  // namespace

std::variant<Options, UsageError> ParseOptions(const std::vector<std::string>& args) {
  Options options;
  std::set<std::string> seen;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const std::size_t equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    const std::string canonical = name == "-h" ? "--help" : name;
    bool* flag = FlagOf(name, options);
    const auto found = ValueOptions().find(name);
    if (flag == nullptr && found == ValueOptions().end()) {
      return UsageError{Quoted(args[i]) +
                        " is not an option; see --help for --technique, --size, --rates, --delays, "
                        "--seed, --json, --compare, --png, --additions, --version"};
    }
    if (!seen.insert(canonical).second) {
      return UsageError{canonical + ": given more than once"};
    }
    if (flag != nullptr) {
      if (value) return UsageError{name + ": takes no value, but was given " + Quoted(*value)};
      *flag = true;
      continue;
    }
    if (!value) {
      if (i + 1 >= args.size()) return UsageError{name + ": needs a value"};
      value = args[++i];
    }
    if (const auto error = found->second(*value, options)) return UsageError{name + ": " + *error};
  }
  if (options.additions && !options.png) {
    return UsageError{"--additions: draws into the picture of --png, which was not asked for"};
  }
  return options;
}

std::string HelpText() {
  return "Usage: switchsim-trace [OPTION]...\n"
         "Runs one message across Transmit, Router A, Router B and Receive without a window\n"
         "and prints every step of the run: grants, releases, hand-overs, strokes and the\n"
         "completion.\n"
         "\n"
         "  --technique NAME  Message, Circuit or Packet (default Message)\n"
         "  --size N          message size: 100, 200, 300, 400, 500 or 1000 (default 300)\n"
         "  --rates A,B,C     bit rates of the three links, positive numbers (default 1.0,0.5,1.0)\n"
         "  --delays A,B,C    delays of the three links: 20, 50, 100 or 200 (default 50,50,50)\n"
         "  --seed N          seed of the random numbers (default: from the system)\n"
         "  --json            print the steps as JSON Lines instead of a table\n"
         "  --compare         run all three techniques and compare their completion times\n"
         "                    with the exact values of the same model without the 25 ms tick\n"
         "  --png FILE        also write a picture of the window after the run(s) to FILE\n"
         "  --additions       draw the time scale, the marker labels and the marker edges\n"
         "                    into the --png picture, as the window's View menu can\n"
         "  -h, --help        show this help\n"
         "  --version         show the version\n"
         "\n"
         "A rate R sends one block in 100 / R ms of clock; a delay d lets the first bit cross\n"
         "the link in 5 x d ms; a block is 20 units of message size.\n"
         "Exit status: 0 on success, 1 if the picture cannot be written, 2 for a bad option.\n";
}

}  // namespace switchsim::trace
