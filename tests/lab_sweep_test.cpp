// A lab's sweep: each run the lab's own run at that value and seed, made in
// slices as whole, beside the formula, and drawn with the circuits' limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

#include "explore/curve_layout.h"
#include "explore/lab_curve.h"
#include "sharing/share_report.h"

namespace switchsim {
namespace {

LabSweepRange Range(const std::string& text) {
  auto read = ReadLabSweepRange(text);
  EXPECT_TRUE(std::holds_alternative<LabSweepRange>(read)) << std::get<std::string>(read);
  return std::get<LabSweepRange>(read);
}

TEST(LabSweep, EachRunIsTheLabsOwnAndSlicesMakeTheSameSweep) {
  ShareSetting share;
  share.slot_count = 5000;
  share.burst_slots = 4.0;
  QueueSetting queue;
  queue.packets = 3000;
  for (const char* text : {"users=10:40:10", "intensity=0.2:0.8:0.2"}) {
    const LabSweepRange range = Range(text);
    ASSERT_FALSE(LabSweepRefusal(range, share, queue, 2));
    LabSweep whole(range, share, queue, 7, 2);
    whole.RunNext(kMostLabSweepSteps);
    LabSweep sliced(range, share, queue, 7, 2);
    while (!sliced.Done()) sliced.RunNext(777);
    EXPECT_EQ(LabSweepCsv(sliced), LabSweepCsv(whole)) << text;
    ASSERT_EQ(whole.runs().size(), 8U);
    const LabSweepRun& run = whole.runs()[5];  // the third value's second seed
    EXPECT_EQ(run.x_index, 2U);
    EXPECT_EQ(run.seed, 8U);
    if (range.curve == LabCurve::Congestion) {
      ShareRun alone(whole.ShareAt(2, 8));
      alone.RunNext(share.slot_count);
      EXPECT_EQ(run.simulated, alone.Congestion().Mean());
      EXPECT_EQ(whole.Formula(2), CongestionFormula(alone.setting()));
    } else {
      QueueRun alone(whole.QueueAt(2, 8));
      alone.RunNext(queue.packets);
      EXPECT_EQ(run.simulated, alone.Wait().Mean());
      EXPECT_EQ(whole.Formula(2), MeanWaitFormulaMs(alone.setting()));
    }
  }
}

TEST(LabSweep, RefusesWhatCannotRunAndDrawsTheCircuitsLimit) {
  const ShareSetting share;
  const QueueSetting queue;
  for (const char* bad : {"users=0:5:1", "users=1.5:3:1", "users=990:1010:10", "intensity=0.5:1:0.1",
                          "intensity=0.01:0.5:0.1", "size=20:100:20", "users=5:1:1", "users=1:5"}) {
    EXPECT_TRUE(std::holds_alternative<std::string>(ReadLabSweepRange(bad))) << bad;
  }
  EXPECT_TRUE(LabSweepRefusal(Range("users=1:1000:1"), share, queue, 100));  // 10^10 slots
  EXPECT_TRUE(LabSweepRefusal(Range("users=1:2:1"), share, queue, 0));
  ShareSetting too_fast = share;
  too_fast.user_rate = "2";
  EXPECT_TRUE(LabSweepRefusal(Range("users=1:2:1"), too_fast, queue, 1));

  ShareSetting small = share;
  small.slot_count = 2000;
  LabSweep sweep(Range("users=5:50:5"), small, queue, 1, 1);
  sweep.RunNext(kMostLabSweepSteps);
  const CurveLayout layout(LabCurveData(sweep));
  ASSERT_EQ(layout.points().size(), 10U);
  for (const CurveLayout::PlacedPoint& point : layout.points()) {
    EXPECT_TRUE(point.at.y >= layout.plot().top && point.at.y <= layout.plot().bottom);
  }
  const auto& items = layout.drawing().items;
  EXPECT_TRUE(std::any_of(items.begin(), items.end(), [](const DrawItem& item) {
    const auto* line = std::get_if<DrawLine>(&item);
    return line != nullptr && line->pen.dashed && line->from.x == line->to.x;
  }));
  EXPECT_NE(layout.drawing().description.find("circuits serve 10 users"), std::string::npos);
}

}  // namespace
}  // namespace switchsim
