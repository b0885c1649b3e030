// The additions in the form's margins and the View menu that shows them:
// the marker edges and labels, the time scale, the focus ring, the bare form.
#include <gtest/gtest.h>

#include <QApplication>
#include <QRegion>
#include <cmath>

#include "window/appearance.h"
#include "form_fixture.h"
#include "look/layout.h"
#include "main_window_fixture.h"

namespace switchsim::testing {
namespace {

QRect Pixels(const layout::TwipsRect& r) {
  return {layout::Px(r.left), layout::Px(r.top), layout::Px(r.width), layout::Px(r.height)};
}

TEST_F(MainWindowTest, AdditionsDrawOnlyInTheMarginsAndTheBareFormIsTheFormAlone) {
  form().cmbMethod->setCurrentText("Packet");
  window().start->trigger();
  RunToEnd();
  window().bare_form->setChecked(true);
  const QImage bare = Picture();

  Form1 alone(1);
  alone.cmbMethod->setCurrentText("Packet");
  alone.ReseedRandom(5);
  alone.cmdStart_Click(0);
  while (alone.Timer1->isActive()) alone.Timer1_Timer();
  EXPECT_EQ(bare, alone.grab().toImage());

  window().bare_form->setChecked(false);
  const QImage annotated = Picture();
  ASSERT_NE(annotated, bare);
  QRect marker = form().lnePacket->geometry();  // with its edge
  ASSERT_EQ(marker.height(), 5);
  QRegion margins = QRegion(Pixels(layout::kTimeScale)) + Pixels(layout::kMarkerLabelStrip) + marker;
  for (int y = 0; y < bare.height(); ++y) {
    for (int x = 0; x < bare.width(); ++x) {
      if (annotated.pixel(x, y) != bare.pixel(x, y)) {
        ASSERT_TRUE(margins.contains(QPoint(x, y))) << x << "," << y;
      }
    }
  }
  for (QAction* each : {window().time_scale, window().marker_labels, window().marker_edges}) {
    each->setChecked(false);
  }
  EXPECT_EQ(Picture(), bare);
}

TEST_F(MainWindowTest, ViewChoicesAreRemembered) {
  EXPECT_EQ(form().additions(), kAllAdditions);
  window().marker_edges->setChecked(false);
  window().bare_form->setChecked(true);
  EXPECT_FALSE(window().time_scale->isEnabled());
  EXPECT_EQ(form().additions(), Additions());

  MainWindow again(settings_, Options());
  EXPECT_TRUE(again.bare_form->isChecked());
  EXPECT_FALSE(again.marker_edges->isChecked());
  EXPECT_TRUE(again.marker_labels->isChecked());
  again.bare_form->setChecked(false);
  EXPECT_EQ(again.form().additions(), (Additions{true, true, false}));
}

// A ring shows where the keys go, around a box or a trace alike; the form
// alone and its picture are without it.
TEST_F(MainWindowTest, AFocusRingFollowsTheKeysButNotIntoThePicture) {
  window().show();
  QApplication::setActiveWindow(&window());
  for (QWidget* control : {static_cast<QWidget*>(form().picTrace[1]),
                           static_cast<QWidget*>(form().cmbBitRate[2])}) {
    control->setFocus();
    ASSERT_TRUE(form().focus_ring->isVisible());
    EXPECT_TRUE(form().focus_ring->geometry().contains(control->geometry()));
    EXPECT_GT(form().focus_ring->width(), control->width());
  }
  window().bare_form->setChecked(true);
  EXPECT_FALSE(form().focus_ring->isVisible());
  window().bare_form->setChecked(false);
  EXPECT_TRUE(form().focus_ring->isVisible());
  // The middle of the ring's left side, in the form's own picture and in the saved one.
  const QPoint ring_side = form().focus_ring->geometry().topLeft() +
                           QPoint(0, form().focus_ring->height() / 2);
  const QColor focus = appearance::ToQColor(appearance::kFocusColour);
  EXPECT_EQ(Picture().pixelColor(ring_side), focus);
  const QString path = dir_.filePath("focused.png");
  ASSERT_TRUE(window().SavePicture(path));
  EXPECT_NE(QImage(path).pixelColor(ring_side), focus);
  EXPECT_TRUE(form().focus_ring->isVisible());
}

TEST_F(MainWindowTest, EachMarkerHasADarkEdgeAndALabelWithItsTime) {
  Run("Message");
  Run("Circuit");
  const QImage picture = Picture();
  const QColor edge = appearance::ToQColor(appearance::kMarkerEdgeColour);
  for (const int ms : {6900, 6375}) {
    SCOPED_TRACE(ms);
    const int row = static_cast<int>(std::lround(MarkerYTwips(ms) / layout::kTwipsPerPixel));
    EXPECT_EQ(picture.pixelColor(828, row - 2), edge);
    EXPECT_EQ(picture.pixelColor(828, row + 2), edge);
    // Dark text beside the marker.
    int dark = 0;
    for (int x = 852; x < 916; ++x) {
      for (int y = row - 6; y <= row + 6; ++y) dark += picture.pixelColor(x, y).lightness() < 100;
    }
    EXPECT_GT(dark, 20);
  }
  window().marker_edges->setChecked(false);
  const int message_row = static_cast<int>(std::lround(MarkerYTwips(6900) / layout::kTwipsPerPixel));
  EXPECT_EQ(Picture().pixelColor(828, message_row - 2),
            appearance::ToQColor(appearance::kWindowColour));
}

TEST_F(MainWindowTest, TheTimeScaleMarksEachSecondLevelWithItsStrokes) {
  const QImage picture = Picture();
  const QColor tick = appearance::ToQColor(appearance::kAdditionLineColour);
  const int drawing_top = form().picTrace[0]->y() + layout::kTraceBorderPx;
  for (const int seconds : {0, 1, 7, 13}) {
    const int row = drawing_top + StrokeRow(seconds * 1000);
    EXPECT_EQ(picture.pixelColor(61, row), tick) << seconds;
    EXPECT_NE(picture.pixelColor(61, row + 1), tick) << seconds;
  }
  EXPECT_NE(picture.pixelColor(61, drawing_top + StrokeRow(14000)), tick);
}

}  // namespace
}  // namespace switchsim::testing
