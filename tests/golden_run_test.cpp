#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tools/options.h"
#include "tools/trace_run.h"

namespace switchsim::trace {
namespace {

// Whole runs, event by event, against logs checked by hand at their turning
// points (grants, hand-overs, the bottleneck, completions). Set
// SWITCHSIM_WRITE_GOLDEN=1 to write them anew after a deliberate change.
struct GoldenCase {
  const char* file;
  const char* technique;
  const char* size;
  std::array<std::string, 3> rates;
  std::array<std::string, 3> delays;
  std::uint64_t seed;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.file; }

class GoldenRun : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenRun, MatchesTheRecordedLog) {
  const GoldenCase& c = GetParam();
  Options options;
  options.json = true;
  options.technique = c.technique;
  options.size = c.size;
  options.rates = c.rates;
  options.delays = c.delays;
  std::string out;
  RunTraces(options, c.seed, out);

  const std::string path = std::string(SWITCHSIM_GOLDEN_DIR) + "/" + c.file;
  if (std::getenv("SWITCHSIM_WRITE_GOLDEN") != nullptr) {
    std::ofstream(path) << out;
    GTEST_SKIP() << "wrote " << path;
  }
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::ostringstream expected;
  expected << in.rdbuf();
  std::istringstream got_lines(out), want_lines(expected.str());
  std::string got, want;
  for (int line = 1; std::getline(want_lines, want); ++line) {
    ASSERT_TRUE(std::getline(got_lines, got)) << "log ends early at line " << line;
    ASSERT_EQ(got, want) << "first difference at line " << line;
  }
  EXPECT_FALSE(std::getline(got_lines, got)) << "log goes on past the recorded end";
}

INSTANTIATE_TEST_SUITE_P(
    Runs, GoldenRun,
    ::testing::Values(
        GoldenCase{"message_defaults.jsonl", "Message", "300", {"1.0", "0.5", "1.0"}, {"50", "50", "50"}, 1},
        GoldenCase{"circuit_defaults.jsonl", "Circuit", "300", {"1.0", "0.5", "1.0"}, {"50", "50", "50"}, 1},
        GoldenCase{"packet_defaults.jsonl", "Packet", "300", {"1.0", "0.5", "1.0"}, {"50", "50", "50"}, 1},
        GoldenCase{"circuit_mixed.jsonl", "Circuit", "1000", {"2.0", "10.0", "0.5"}, {"20", "200", "100"}, 7},
        GoldenCase{"packet_mixed.jsonl", "Packet", "500", {"5.0", "0.5", "2.0"}, {"200", "20", "50"}, 7}),
    [](const auto& info) {
      std::string name = info.param.file;
      return name.substr(0, name.find('.'));
    });

}  // namespace
}  // namespace switchsim::trace
