// Prints the OPTIONS section of a program's manual page from the options
// table, for the build to put into the page: "option_manual driver" for
// switchsim-trace, "option_manual window" for switchsim; with --summary, the
// page's NAME line instead; with --lang CODE first, in that language.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "options/option_table.h"
#include "po/compiled_catalogs.h"
#include "text/translation.h"

namespace {

// The NAME line of a front end's page, as roff writes it: the program and what it does.
std::string NameLine(switchsim::FrontEnd front_end) {
  using switchsim::Tr;
  if (front_end == switchsim::FrontEnd::Driver) {
    return "switchsim\\-trace \\- " + Tr("run switchsim without a window and print every step") + "\n";
  }
  return "switchsim \\- " + Tr("watch message, circuit and packet switching carry one message") + "\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string_view language = "en";
  if (args.size() >= 2 && args[0] == "--lang") {
    language = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  const bool summary = !args.empty() && args[0] == "--summary";
  if (summary) args.erase(args.begin());
  const std::string_view program = args.size() == 1 ? args[0] : "";
  if (program != "driver" && program != "window") {
    std::fputs("usage: option_manual [--lang CODE] [--summary] driver|window\n", stderr);
    return 2;
  }
  if (!switchsim::UseCompiledLanguage(language)) {
    std::fprintf(stderr, "option_manual: no catalog of the language \"%.*s\"\n", static_cast<int>(language.size()),
                 language.data());
    return 2;
  }
  const auto front_end = program == "driver" ? switchsim::FrontEnd::Driver : switchsim::FrontEnd::Window;
  const std::string text = summary ? NameLine(front_end) : switchsim::OptionManual(front_end);
  std::fputs(text.c_str(), stdout);
  return 0;
}
