// The window's drawing of the form against the driver's vector picture: the
// same runs give the same SVG, whichever front end kept the strokes and texts.

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "window/form1.h"
#include "pictures/picture_runs.h"
#include "tools/svg_picture.h"
#include "pictures/svg_writer.h"
#include "tools/trace_run.h"

namespace switchsim::testing {
namespace {

struct DrawnRun {
  const char* name;
  std::vector<std::string> args;  // the driver's options, with a seed
};

class FormDrawingTest : public ::testing::TestWithParam<DrawnRun> {};

TEST_P(FormDrawingTest, WindowAndDriverDrawTheSameForm) {
  const auto parsed = trace::ParseOptions(GetParam().args);
  ASSERT_TRUE(std::holds_alternative<trace::Options>(parsed));
  const trace::Options& options = std::get<trace::Options>(parsed);
  const std::uint64_t seed = options.seed;
  Form1 form(seed);
  RunForPicture(form.logic(), form.random(), options, trace::TechniquesOf(options), seed);
  if (options.additions) form.SetAdditions(kAllAdditions);
  EXPECT_EQ(SvgText(form.Picture()), trace::SvgPicture(options, seed));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FormDrawingTest,
    ::testing::Values(
        DrawnRun{"CompareWithAdditions", {"--compare", "--seed", "5", "--additions", "--svg", "x.svg"}},
        DrawnRun{"CircuitRuleRedRates", {"--technique", "Circuit", "--rates", "2,0.5,1", "--seed", "2"}},
        DrawnRun{"PacketsWithHeaders",
                 {"--technique", "Packet", "--packet", "3", "--header", "1", "--delays", "20,200,50",
                  "--seed", "9"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormDrawing, ShowsWhatIsTypedInABoxAndNoStrokesOnceCleared) {
  Form1 form(1);
  form.cmdStart_Click(0);
  for (int tick = 0; tick < 100; ++tick) form.Timer1_Timer();
  const std::string running = SvgText(form.Picture());
  // The user types a rate: the box shows it before the edit ends, and the traces are cleared.
  form.cmbBitRate[1]->setEditText(QStringLiteral("0.75"));
  const std::string typed = SvgText(form.Picture());
  EXPECT_NE(typed.find(">0.75</text>"), std::string::npos);
  EXPECT_LT(typed.size(), running.size());
  EXPECT_EQ(typed.find("stroke=\"#"), typed.find("stroke=\"#a9a9a6\""));
}

}  // namespace
}  // namespace switchsim::testing
