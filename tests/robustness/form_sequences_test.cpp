// Seeded random sequences of user actions on a real window on the
// offscreen platform, every invariant checked after every step.
#include <gtest/gtest.h>

#include <memory>

#include "actions.h"
#include "window/form1.h"
#include "form_session.h"

namespace switchsim::robustness {
namespace {

constexpr int kFreshWindows = 100;
constexpr int kSequencesInOneSession = 200;
constexpr int kActionsPerSequence = 40;

TEST(FormSequences, KeepEveryInvariantOnTheWindow) {
  for (std::uint64_t seed = 1; seed <= kFreshWindows; ++seed) {
    Form1 form(seed);
    form.show();
    FormSession session(form);
    SeededChooser chooser(seed);
    const std::string report = Play(session, chooser, Alphabet{false}, kActionsPerSequence);
    ASSERT_TRUE(report.empty()) << "sequence of seed " << seed << ", " << report;
  }
}

TEST(FormSequences, KeepEveryInvariantThroughOneLongSession) {
  Form1 form(99);
  form.show();
  int ends_with_a_marker = 0;
  int ends_with_a_red_box = 0;
  for (std::uint64_t seed = 1; seed <= kSequencesInOneSession; ++seed) {
    FormSession session(form);
    SeededChooser chooser(seed + 1'000'000);
    const std::string report = Play(session, chooser, Alphabet{false}, kActionsPerSequence);
    ASSERT_TRUE(report.empty()) << "sequence " << seed << " of the long session, " << report;
    const testing::WindowFacts facts = FormFacts(form);
    for (const testing::MarkerFacts& marker : *facts.markers) ends_with_a_marker += marker.shown ? 1 : 0;
    for (int k = 0; k < kLinkCount; ++k) ends_with_a_red_box += form.logic().RateColour(k) == kRed ? 1 : 0;
  }
  // The sequences reach completions and the circuit's rule, not only idle states.
  EXPECT_GT(ends_with_a_marker, 0);
  EXPECT_GT(ends_with_a_red_box, 0);
}

}  // namespace
}  // namespace switchsim::robustness
