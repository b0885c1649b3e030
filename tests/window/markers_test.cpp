// Completion markers: where and in which colour they appear, which changes
// hide them and which leave them for comparison.
#include "form_fixture.h"

#include "look/layout.h"

namespace switchsim::testing {
namespace {

using MarkersTest = FormTest;

constexpr int kMarkerMiddleX = 828;  // px, halfway along the markers

TEST_F(MarkersTest, MessageAndCircuitMarkersStandAtTheirCompletionTimes) {
  RunTechnique("Message");
  ASSERT_FALSE(form().lneMessage->isHidden());
  EXPECT_EQ(form().lneMessage->Y1(), layout::kTraceTop + 6900 / 2);
  EXPECT_EQ(form().lneMessage->Y2(), form().lneMessage->Y1());
  EXPECT_EQ(form().lneMessage->geometry().center().y(), MarkerRow(6900));
  EXPECT_EQ(WindowPixel(kMarkerMiddleX, MarkerRow(6900)), QColor(0, 192, 0));

  form().cmdStart_Click(0);  // Reset
  RunTechnique("Circuit");
  ASSERT_FALSE(form().lneCircuit->isHidden());
  EXPECT_EQ(form().lneCircuit->Y1(), layout::kTraceTop + 6375 / 2.0);
  EXPECT_EQ(form().lneCircuit->geometry().center().y(), MarkerRow(6375));
  EXPECT_EQ(WindowPixel(kMarkerMiddleX, MarkerRow(6375)), QColor(0, 0, 192));
  // The earlier run's marker is still there beside it.
  EXPECT_FALSE(form().lneMessage->isHidden());
  EXPECT_EQ(WindowPixel(kMarkerMiddleX, MarkerRow(6900)), QColor(0, 192, 0));
  EXPECT_TRUE(form().lnePacket->isHidden());
}

TEST_F(MarkersTest, MarkersAreAboutThreePixelsThick) {
  RunTechnique("Message");
  const int row = MarkerRow(6900);
  for (const int y : {row - 1, row, row + 1}) {
    EXPECT_EQ(WindowPixel(kMarkerMiddleX, y), QColor(0, 192, 0)) << y;
  }
  EXPECT_NE(WindowPixel(kMarkerMiddleX, row - 2), QColor(0, 192, 0));
  EXPECT_NE(WindowPixel(kMarkerMiddleX, row + 2), QColor(0, 192, 0));
}

TEST_F(MarkersTest, PacketMarkerTakesTheColourOfAPacket) {
  RunTechnique("Packet");
  ASSERT_FALSE(form().lnePacket->isHidden());
  bool packet_colour = false;
  for (int record = 1; record <= 8; ++record) {
    packet_colour |= form().simulation().State().UnitTable[record].Colour ==
                     form().lnePacket->BorderColor();
  }
  EXPECT_TRUE(packet_colour);
  EXPECT_EQ(WindowPixel(kMarkerMiddleX, form().lnePacket->geometry().center().y()),
            ToColour(form().lnePacket->BorderColor()));
}

TEST_F(MarkersTest, ANeverShownWindowGrabsWithItsMarkers) {
  RunTechnique("Message");
  ASSERT_FALSE(form().isVisible());
  const QImage picture = form().grab().toImage();
  EXPECT_EQ(picture.size(), QSize(916, 657));
  EXPECT_EQ(picture.pixelColor(kMarkerMiddleX, MarkerRow(6900)), QColor(0, 192, 0));
  // The hidden markers do not show.
  EXPECT_NE(picture.pixelColor(kMarkerMiddleX, 5220 / 15), QColor(0, 0, 192));
}

struct ChangeCase {
  const char* name;
  std::function<void(Form1&)> change;
  bool hides_markers;
};

void PrintTo(const ChangeCase& c, std::ostream* out) { *out << c.name; }

class ParameterChangeTest : public FormTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ParameterChangeTest, HidesTheMarkersOnlyWhenALinkOrTheSizeChanges) {
  RunTechnique("Message");
  form().cmdStart_Click(0);  // Reset keeps the marker
  ASSERT_FALSE(form().lneMessage->isHidden());

  GetParam().change(form());
  EXPECT_EQ(form().lneMessage->isHidden(), GetParam().hides_markers);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ParameterChangeTest,
    ::testing::Values(
        ChangeCase{"Delay", [](Form1& f) { f.cmbDelay[1]->setCurrentText("100"); }, true},
        ChangeCase{"ChosenRate", [](Form1& f) { f.cmbBitRate[2]->setCurrentText("2.0"); }, true},
        ChangeCase{"TypedRate", [](Form1& f) { f.cmbBitRate[0]->setEditText("3"); }, true},
        ChangeCase{"SameRateWrittenOtherwise",
                   [](Form1& f) { f.cmbBitRate[0]->setEditText("1.0"); }, true},
        ChangeCase{"Size", [](Form1& f) { f.cmbMessageSize->setCurrentText("1000"); }, true},
        ChangeCase{"Technique", [](Form1& f) { f.cmbMethod->setCurrentText("Packet"); }, false},
        ChangeCase{"SameDelay", [](Form1& f) { f.cmbDelay[0]->setCurrentText("50"); }, false},
        ChangeCase{"SameRate", [](Form1& f) { f.cmbBitRate[1]->setEditText("0.5"); }, false},
        ChangeCase{"SameSize", [](Form1& f) { f.cmbMessageSize->setCurrentText("300"); }, false},
        ChangeCase{"StartAgain", [](Form1& f) { f.cmdStart_Click(0); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MarkersTest, AChangeDuringARunClearsTheTracesAndTheRunDrawsOn) {
  form().cmdStart_Click(0);
  ASSERT_TRUE(TickUntil([&] { return form().simulation().State().ClockMs == 500; }));
  ASSERT_FALSE(TraceIsEmpty(0));

  form().cmbDelay[2]->setCurrentText("20");
  EXPECT_TRUE(TraceIsEmpty(0));
  EXPECT_TRUE(form().Timer1->isActive());

  form().Timer1_Timer();
  EXPECT_FALSE(TraceIsEmpty(0));
  EXPECT_EQ(TracePixel(0, 0, StrokeRow(525)), QColor(0, 192, 0));
  EXPECT_EQ(TracePixel(0, 0, StrokeRow(475)), QColor(Qt::white));
}

}  // namespace
}  // namespace switchsim::testing
