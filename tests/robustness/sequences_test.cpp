// Seeded random sequences of user actions on the simulation with the
// driver's view, every invariant checked after every step.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "actions.h"
#include "simulation_session.h"

namespace switchsim::robustness {
namespace {

// 2000 sequences in shards that CTest can run side by side.
constexpr int kShards = 4;
constexpr int kSequences = 500;  // a shard
constexpr int kActionsPerSequence = 40;

class SeededSequences : public ::testing::TestWithParam<int> {};

TEST_P(SeededSequences, KeepEveryInvariantOnTheSimulation) {
  std::array<int, 3> completions{};
  int red_boxes = 0;
  const std::uint64_t first = static_cast<std::uint64_t>(GetParam()) * kSequences + 1;
  for (std::uint64_t seed = first; seed < first + kSequences; ++seed) {
    SimulationSession session(seed);
    SeededChooser chooser(seed);
    const std::string report = Play(session, chooser, Alphabet{true}, kActionsPerSequence);
    ASSERT_TRUE(report.empty()) << "sequence of seed " << seed << ", " << report;
    for (const Completion& completion : session.view().completions) {
      ++completions[static_cast<std::size_t>(completion.marker)];
    }
    for (int k = 0; k < kLinkCount; ++k) red_boxes += session.form().RateColour(k) == kRed ? 1 : 0;
  }
  // The sequences reach every technique's completion and the circuit's rule.
  for (const int count : completions) EXPECT_GT(count, kSequences / 100);
  EXPECT_GT(red_boxes, 0);
}

INSTANTIATE_TEST_SUITE_P(Shards, SeededSequences, ::testing::Range(0, kShards),
                         [](const auto& info) {
                           const int first = info.param * kSequences + 1;
                           return "Seeds" + std::to_string(first) + "To" +
                                  std::to_string(first + kSequences - 1);
                         });

TEST(FuzzerBytes, DecodeToTheSameActionsEveryTime) {
  const std::vector<std::uint8_t> bytes = {3, 200, 17, 99, 0, 255, 42, 7, 8, 9, 250, 1};
  ByteChooser first(bytes);
  ByteChooser second(bytes);
  while (!first.Exhausted()) {
    EXPECT_EQ(Describe(DrawAction(first, Alphabet{})), Describe(DrawAction(second, Alphabet{})));
  }
  EXPECT_EQ(first.Pick(1000), 0U);  // past the end every number is 0
}

TEST(TypedPrefixes, AddOneCodePointAKey) {
  EXPECT_EQ(TypedPrefixes("1\xc3\xa9" "5"),
            (std::vector<std::string>{"1", "1\xc3\xa9", "1\xc3\xa9" "5"}));
  EXPECT_EQ(TypedPrefixes("\xc3" "1"), (std::vector<std::string>{"\xc3", "\xc3" "1"}));
  EXPECT_TRUE(TypedPrefixes("").empty());
}

}  // namespace
}  // namespace switchsim::robustness
