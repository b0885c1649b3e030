// The form's margins: the marker labels beside their markers and the time
// scale's marks.
#include <gtest/gtest.h>

#include <vector>

#include "look/layout.h"
#include "form/margins.h"

namespace switchsim {
namespace {

TEST(Margins, LabelsStandBesideTheirMarkersWithoutOverlapping) {
  constexpr double h = 200;
  const auto at = [](std::int32_t ms) {
    return MarkerState{true, ms, MarkerYTwips(ms)};
  };
  const auto rows = [](const std::vector<MarkerLabel>& labels) {
    std::vector<double> ys;
    for (const MarkerLabel& label : labels) ys.push_back(label.label_y_twips);
    return ys;
  };
  EXPECT_TRUE(LayOutMarkerLabels({}, h).empty());
  const auto apart = LayOutMarkerLabels({at(6900), at(6375), MarkerState{}}, h);
  ASSERT_EQ(apart.size(), 2U);
  EXPECT_EQ(apart[0].text, "C 6375\u2009ms");
  EXPECT_EQ(apart[1].text, "M 6900\u2009ms");
  EXPECT_EQ(rows(apart), (std::vector<double>{MarkerYTwips(6375), MarkerYTwips(6900)}));

  const double y = MarkerYTwips(5000);
  EXPECT_EQ(rows(LayOutMarkerLabels({at(5000), at(5000), at(5100)}, h)),
            (std::vector<double>{y, y + h, y + 2 * h}));
  constexpr double tall = 600;
  const double bottom = layout::kClientHeight - tall / 2;
  EXPECT_EQ(rows(LayOutMarkerLabels({at(15025), at(15000), at(14975)}, tall)),
            (std::vector<double>{bottom - 2 * tall, bottom - tall, bottom}));
  EXPECT_EQ(rows(LayOutMarkerLabels({at(0), MarkerState{}, MarkerState{}}, h)),
            (std::vector<double>{layout::kMarkerLabelStrip.top + h / 2}));

  const std::vector<TimeMark> marks = TimeScaleMarks();
  ASSERT_EQ(marks.size(), 14U);  // 0 s to 13 s: the traces show 13.38 s
  EXPECT_EQ(marks[13].y_twips, 6500);
  EXPECT_EQ(marks[13].label, "13");
}

}  // namespace
}  // namespace switchsim
