#include "lesson.h"

#include <gtest/gtest.h>

#include <sstream>
#include <variant>
#include <vector>

#include "tools/options.h"
#include "tools/trace_run.h"

namespace switchsim::testing {

std::string DriverLog(const RunParameters& parameters) {
  std::istringstream words(TraceCommand(parameters));
  std::vector<std::string> args{"--json"};
  for (std::string word; words >> word;) {
    if (word != "switchsim-trace") args.push_back(word);
  }
  const auto parsed = trace::ParseOptions(args);
  EXPECT_TRUE(std::holds_alternative<trace::Options>(parsed)) << TraceCommand(parameters);
  const auto& options = std::get<trace::Options>(parsed);
  std::string out;
  trace::RunTraces(options, options.seed, out);
  return out;
}

}  // namespace switchsim::testing
