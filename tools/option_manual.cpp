// Prints the OPTIONS section of a program's manual page from the options
// table, for the build to put into the page: "option_manual driver" for
// switchsim-trace, "option_manual window" for switchsim.
#include <cstdio>
#include <string_view>

#include "options/option_table.h"

int main(int argc, char** argv) {
  const std::string_view program = argc == 2 ? argv[1] : "";
  if (program != "driver" && program != "window") {
    std::fputs("usage: option_manual driver|window\n", stderr);
    return 2;
  }
  const auto front_end = program == "driver" ? switchsim::FrontEnd::Driver : switchsim::FrontEnd::Window;
  std::fputs(switchsim::OptionManual(front_end).c_str(), stdout);
  return 0;
}
