#include "options.h"

namespace switchsim::trace {

std::variant<Options, UsageError> ParseOptions(const std::vector<std::string>& args) {
  auto read = ReadCommandLine(args, FrontEnd::Driver);
  if (auto* error = std::get_if<std::string>(&read)) return UsageError{std::move(*error)};
  Options& options = std::get<Options>(read);
  if (options.additions && !options.png && !options.svg) {
    return UsageError{
        "--additions: draws into the pictures of --png and --svg, neither of which was asked for"};
  }
  if (options.png && options.svg && *options.png == *options.svg) {
    return UsageError{"--svg: " + Quoted(*options.svg) +
                      " is the file of --png too; give each picture a file of its own"};
  }
  return std::move(options);
}

std::string HelpText() {
  return "Usage: switchsim-trace [OPTION]...\n"
         "Runs one message across Transmit, Router A, Router B and Receive without a window\n"
         "and prints every step of the run: grants, releases, hand-overs, strokes and the\n"
         "completion.\n"
         "\n" +
         OptionHelp(FrontEnd::Driver) +
         "\n"
         "A rate R sends one block in 100 / R ms of clock; a delay d lets the first bit cross\n"
         "the link in 5 x d ms; a block is 20 units of message size.\n"
         "Exit status: 0 on success, 1 if the picture cannot be written, 2 for a bad option.\n";
}

}  // namespace switchsim::trace
