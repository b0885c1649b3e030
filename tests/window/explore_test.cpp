// The Explore window: a sweep drawn from the form's parameters, its numbers,
// a clicked or tapped point run again in the form, where it opens and how
// its text follows the zoom.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QPointingDevice>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "window/beside_placement.h"
#include "window/main_window.h"

namespace switchsim::testing {
namespace {

class ExploreTest : public ::testing::Test {
 protected:
  ExploreTest()
      : settings_(dir_.filePath("switchsim.ini"), QSettings::IniFormat),
        window_(std::make_unique<MainWindow>(settings_, StartOptions())) {
    window_->show_explore->trigger();
    explore_ = window_->explore();
  }

  void Draw(const char* from, const char* to, const char* step, int seeds) {
    explore_->from->setText(QString::fromUtf8(from));
    explore_->to->setText(QString::fromUtf8(to));
    explore_->step->setText(QString::fromUtf8(step));
    explore_->seeds->setValue(seeds);
    explore_->draw->click();
    explore_->Finish();
  }

  // Where the view shows `run`'s point, `right` px of the screen right of it.
  QPoint PointOf(std::size_t run, int right = 0) const {
    const CurveView& view = *explore_->curve;
    const double scale = std::min(view.width() / view.drawing().width, view.height() / view.drawing().height);
    const DrawPoint at = explore_->layout()->points().at(run).at;
    return {qRound(at.x * scale) + right, qRound(at.y * scale)};
  }

  // Clicks the curve where the layout placed `run`'s point.
  void ClickPoint(std::size_t run) { QTest::mouseClick(explore_->curve, Qt::LeftButton, {}, PointOf(run)); }

  // Presses the curve at `at` with a finger: a touch screen's tap comes as a mouse press from its device.
  void Tap(QPoint at) {
    static QPointingDevice* const finger = QTest::createTouchDevice();
    QMouseEvent press(QEvent::MouseButtonPress, at, explore_->curve->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, {}, finger);
    QApplication::sendEvent(explore_->curve, &press);
  }

  QTemporaryDir dir_;
  QSettings settings_;
  std::unique_ptr<MainWindow> window_;
  ExploreWindow* explore_ = nullptr;
};

TEST_F(ExploreTest, AClickedPointRunsInTheFormAsTheSweepRanIt) {
  window_->form().cmbMessageSize->setCurrentText(QStringLiteral("500"));
  explore_->parameter->setCurrentIndex(4);  // the rate of link 2
  explore_->resize(900, 800);
  Draw("0.5", "2", "0.5", 2);
  const Sweep* sweep = explore_->sweep();
  ASSERT_NE(sweep, nullptr);
  EXPECT_EQ(sweep->base().size, "500");
  EXPECT_EQ(explore_->table->rowCount(), 4 * 3 * 2);
  EXPECT_EQ(explore_->curve->drawing().title, "Completion time against rate of link 2");

  const std::size_t packet_at_1 = 1 * 6 + 2 * 2 + 1;  // x 1, Packet, second seed
  ClickPoint(packet_at_1);
  Form1& form = window_->form();
  EXPECT_EQ(form.cmbMethod->currentText(), QStringLiteral("Packet"));
  ASSERT_TRUE(window_->classroom().CurrentRun());
  EXPECT_EQ(window_->classroom().CurrentRun()->seed, 2u);
  while (form.logic().TimerEnabled()) form.Timer1_Timer();
  window_->Refresh(false);
  ASSERT_FALSE(window_->classroom().Results().empty());
  const RunResult& result = window_->classroom().Results().front();
  EXPECT_EQ(result.parameters.rates[1], "1");
  EXPECT_EQ(std::optional<std::int32_t>(result.simulated_ms), sweep->runs()[packet_at_1].simulated_ms);
}

TEST_F(ExploreTest, KeepsTheRatesChosenWhereTheCircuitRuleWroteOthers) {
  Form1& form = window_->form();
  form.cmbMethod->setCurrentText(QStringLiteral("Circuit"));
  window_->start->trigger();
  while (form.logic().TimerEnabled()) form.Timer1_Timer();
  ASSERT_EQ(form.logic().RateText(0), "0.5") << "the circuit rule lowered link 1 to the slowest rate";
  Draw("100", "100", "20", 1);
  ASSERT_NE(explore_->sweep(), nullptr);
  EXPECT_EQ(explore_->sweep()->base().rates, (std::array<std::string, 3>{"1", "0.5", "1"}));
}

TEST_F(ExploreTest, ASizeOffTheFormsListGivesTheDriversCommandAndABadRangeKeepsTheCurves) {
  explore_->resize(900, 800);
  Draw("20", "60", "20", 1);
  ASSERT_NE(explore_->sweep(), nullptr);
  ClickPoint(0);
  EXPECT_FALSE(window_->form().logic().RunExists());
  EXPECT_TRUE(explore_->status->text().contains(QStringLiteral("switchsim-trace --technique Message --size 20")))
      << explore_->status->text().toStdString();

  const std::string title = explore_->curve->drawing().title;
  Draw("abc", "60", "20", 1);
  EXPECT_EQ(explore_->status->text(), QStringLiteral("Not drawn: \"abc\" is not a number."));
  EXPECT_EQ(explore_->curve->drawing().title, title);
}

TEST_F(ExploreTest, APointOfAnotherPacketSizeBringsItsSizeToThePacketBar) {
  explore_->parameter->setCurrentIndex(1);  // the packet size
  explore_->resize(900, 800);
  Draw("4", "5", "1", 1);
  ClickPoint(1 * 3 + 2);  // x 5, Packet
  ASSERT_TRUE(window_->classroom().CurrentRun());
  EXPECT_EQ(window_->classroom().CurrentRun()->packeting.packet_blocks, 5);
  EXPECT_EQ(window_->packet_bar->packet->value(), 5);
}

TEST_F(ExploreTest, OpensAtTheMainWindowsSizeWithNoEmptyTableAndEscapeClosesIt) {
  EXPECT_TRUE(explore_->isVisible());
  const QRect screen = explore_->screen()->availableGeometry();
  EXPECT_EQ(explore_->frameGeometry().size(), window_->frameGeometry().size().boundedTo(screen.size()));
  EXPECT_TRUE(screen.contains(explore_->frameGeometry()));
  EXPECT_FALSE(explore_->table->isVisible());
  EXPECT_FALSE(explore_->curve->isVisible());
  Draw("100", "300", "100", 1);
  EXPECT_TRUE(explore_->table->isVisible());
  EXPECT_TRUE(explore_->curve->isVisible());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(explore_));
  QTest::keyClick(explore_->table, Qt::Key_Escape);
  EXPECT_FALSE(explore_->isVisible());
}

TEST_F(ExploreTest, AFingerPicksAPointAMouseWouldMissAndARowRunsItsPoint) {
  explore_->resize(900, 800);
  Draw("300", "300", "20", 1);  // one size: the techniques' points lie far apart
  const std::size_t circuit = 1;
  QTest::mouseClick(explore_->curve, Qt::LeftButton, {}, PointOf(circuit, 15));
  EXPECT_FALSE(window_->classroom().CurrentRun()) << "15 px is beyond a mouse's target";
  Tap(PointOf(circuit, 15));
  ASSERT_TRUE(window_->classroom().CurrentRun()) << explore_->status->text().toStdString();
  EXPECT_EQ(window_->classroom().CurrentRun()->technique, "Circuit");

  explore_->table->setFocus();
  explore_->table->setCurrentCell(2, 0);  // Packet
  QTest::keyClick(explore_->table, Qt::Key_Return);
  ASSERT_TRUE(window_->classroom().CurrentRun());
  EXPECT_EQ(window_->classroom().CurrentRun()->technique, "Packet");
}

TEST_F(ExploreTest, TextFollowsTheZoomAndTheProjector) {
  const double usual = explore_->font().pointSizeF();
  window_->zoom_menu->zooms[3]->trigger();  // 200 %
  EXPECT_DOUBLE_EQ(explore_->draw->font().pointSizeF(), 2 * usual);
  EXPECT_FALSE(explore_->font().bold());
  window_->zoom_menu->projector->trigger();
  EXPECT_DOUBLE_EQ(explore_->table->font().pointSizeF(), 2 * 1.25 * usual);
  EXPECT_TRUE(explore_->status->font().bold());
}

TEST(ExplorePlacement, OpensBesideTheMainWindowWhereTheScreenHasRoomElseOverIt) {
  struct Case { QRect main; QSize size; QRect opens; };
  const QRect screen(0, 0, 1920, 1040);
  const Case cases[] = {
      {{10, 20, 900, 700}, {900, 700}, {910, 20, 900, 700}},     // on the right
      {{1000, 20, 900, 700}, {900, 700}, {100, 20, 900, 700}},   // on the left
      {{200, 100, 1300, 900}, {900, 900}, {248, 140, 900, 900}},  // over it, moved back onto the screen
      {{0, 0, 1920, 1040}, {2000, 1200}, {0, 0, 1920, 1040}},   // no larger than the screen
  };
  for (const Case& c : cases) EXPECT_EQ(BesideOrOver(c.main, c.size, screen), c.opens) << c.main.x();
}

}  // namespace
}  // namespace switchsim::testing
