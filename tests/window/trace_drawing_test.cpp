// Strokes on the traces: rows, columns, mirroring for units travelling back,
// and content that survives hiding and showing.
#include <QApplication>

#include <array>

#include "form_fixture.h"

namespace switchsim::testing {
namespace {

using TraceDrawingTest = FormTest;

constexpr int kDrawingWidthPx = 239;  // px inside a trace's frame
constexpr Rgb kOrange = MakeRgb(230, 120, 10);

/// The first and last column of `colour` in a row of a trace, or {-1, -1}.
std::pair<int, int> RunOf(const QImage& trace, int row, const QColor& colour) {
  std::pair<int, int> run{-1, -1};
  for (int x = 0; x < kDrawingWidthPx; ++x) {
    if (trace.pixelColor(x + 1, row + 1) != colour) continue;
    if (run.first < 0) run.first = x;
    run.second = x;
  }
  return run;
}

TEST_F(TraceDrawingTest, ScaleIsTheDrawingAreaInTwips) {
  EXPECT_EQ(form().picTrace[0]->ScaleWidth(), kDrawingWidthPx * 15.0F);
  EXPECT_EQ(form().picTrace[0]->ScaleLeft(), 0.0F);
}

struct StrokeCase {
  const char* name;
  bool forward;
  int first_column;
  int last_column;
};

void PrintTo(const StrokeCase& c, std::ostream* out) { *out << c.name; }

class StrokeTest : public FormTest, public ::testing::WithParamInterface<StrokeCase> {};

TEST_P(StrokeTest, FillsItsRowFromTailToHead) {
  const StrokeCase& c = GetParam();
  // From a quarter to a half of the link, 3000 ms down: row 100.
  form().logic().DrawUnit(Stroke{1, 1, 0.5, 0.25, c.forward, kOrange, 3000});
  const QImage trace = form().picTrace[1]->grab().toImage();
  const auto [first, last] = RunOf(trace, 100, ToColour(kOrange));
  EXPECT_NEAR(first, c.first_column, 1);
  EXPECT_NEAR(last, c.last_column, 1);
  EXPECT_EQ(RunOf(trace, 99, ToColour(kOrange)).first, -1);
  EXPECT_EQ(RunOf(trace, 101, ToColour(kOrange)).first, -1);
  EXPECT_TRUE(TraceIsEmpty(0));
  EXPECT_TRUE(TraceIsEmpty(2));
}

INSTANTIATE_TEST_SUITE_P(Directions, StrokeTest,
                         ::testing::Values(StrokeCase{"Forward", true, 60, 119},
                                           StrokeCase{"Back", false, 120, 179}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TraceDrawingTest, StrokesLieHalfTheClockInTwipsDown) {
  for (const int clock : {25, 30, 59, 60, 6675, 13319}) {
    form().logic().DrawUnit(Stroke{1, 0, 1.0, 0.0, true, kOrange, clock});
    const QImage trace = form().picTrace[0]->grab().toImage();
    EXPECT_EQ(RunOf(trace, StrokeRow(clock), ToColour(kOrange)),
              std::make_pair(0, kDrawingWidthPx - 1))
        << clock;
    form().logic().ClearTrace(0);
  }
}

TEST_F(TraceDrawingTest, AMessageDrawsAForwardBandFromTheLeft) {
  // A long delay makes the band shallow: the head moves 7 px a row.
  form().cmbDelay[0]->setCurrentText("200");
  form().cmdStart_Click(0);
  ASSERT_TRUE(TickUntil([&] { return form().simulation().State().ClockMs == 1000; }));
  const QImage trace = form().picTrace[0]->grab().toImage();
  const QColor green(0, 192, 0);
  // Granted at 25 ms, the head crosses the link in 1000 ms; the row's last
  // stroke is its latest tick.
  for (const int row : {5, 10, 20, 30}) {
    SCOPED_TRACE(row);
    const int last_tick = (row * 30 + 29) / 25 * 25;
    const double head = (last_tick - 25) / 1000.0;
    const auto [first, last] = RunOf(trace, row, green);
    EXPECT_EQ(first, 0);
    EXPECT_NEAR(last, head * kDrawingWidthPx, 1.5);
  }
  EXPECT_EQ(RunOf(trace, StrokeRow(1025), green).first, -1);  // not yet drawn
  EXPECT_TRUE(TraceIsEmpty(1));
}

TEST_F(TraceDrawingTest, TheAcknowledgementRunsBackFromTheRightEdge) {
  form().cmbDelay[2]->setCurrentText("200");
  form().cmbMethod->setCurrentText("Circuit");
  form().cmdStart_Click(0);
  const TransferUnit& ack = form().simulation().State().UnitTable[0];
  const QColor red(192, 0, 0);
  const auto ack_on_link_2 = [&](double head) {
    return ack.Kind == kKindAcknowledgement && ack.Link == 2 && ack.Status == kOnLink &&
           ack.Head >= head;
  };

  // Its first stroke leaves the right-hand edge, where Receive stands.
  ASSERT_TRUE(TickUntil([&] { return ack_on_link_2(0.01); }));
  QImage trace = form().picTrace[2]->grab().toImage();
  auto [first, last] = RunOf(trace, StrokeRow(form().simulation().State().ClockMs), red);
  EXPECT_EQ(last, kDrawingWidthPx - 1);
  EXPECT_GT(first, kDrawingWidthPx * 9 / 10);

  // Later it lies mirrored: its head on the left, its tail on the right.
  ASSERT_TRUE(TickUntil([&] { return ack_on_link_2(0.4); }));
  trace = form().picTrace[2]->grab().toImage();
  std::tie(first, last) = RunOf(trace, StrokeRow(form().simulation().State().ClockMs), red);
  EXPECT_NEAR(first, (1.0 - ack.Head) * kDrawingWidthPx, 1.5);
  EXPECT_NEAR(last, (1.0 - ack.Tail) * kDrawingWidthPx, 1.5);
  EXPECT_GT(ack.Tail, 0.0);
}

TEST_F(TraceDrawingTest, ContentSurvivesHidingAndShowing) {
  form().cmdStart_Click(0);
  ASSERT_TRUE(TickUntil([&] { return form().simulation().State().ClockMs == 5000; }));
  // Paused, so that no tick falls due while the window shows and hides.
  form().cmdStart_Click(1);
  ASSERT_FALSE(form().Timer1->isActive());
  // The traces alone: showing the window may give a box the focus, which
  // changes how that box looks but not what the traces hold.
  std::array<QImage, kLinkCount> before;
  for (int k = 0; k < kLinkCount; ++k) before[k] = form().picTrace[k]->grab().toImage();

  form().show();
  form().picTrace[1]->hide();
  form().picTrace[1]->show();
  form().hide();
  form().show();
  QApplication::processEvents();
  for (int k = 0; k < kLinkCount; ++k) {
    EXPECT_EQ(form().picTrace[k]->grab().toImage(), before[k]) << "trace " << k;
  }
  EXPECT_FALSE(TraceIsEmpty(1));
  form().hide();
}

TEST_F(TraceDrawingTest, ResetClearsEveryTrace) {
  form().cmdStart_Click(0);
  ASSERT_TRUE(TickUntil([&] { return form().simulation().State().ClockMs == 5000; }));
  ASSERT_FALSE(TraceIsEmpty(1));
  form().cmdStart_Click(0);
  for (int k = 0; k < kLinkCount; ++k) EXPECT_TRUE(TraceIsEmpty(k));
}

}  // namespace
}  // namespace switchsim::testing
