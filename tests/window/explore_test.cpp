// The Explore window: a sweep drawn from the form's parameters, its numbers,
// and a clicked point run again in the form.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "main_window.h"

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

  // Clicks the curve where the layout placed `run`'s point.
  void ClickPoint(std::size_t run) {
    const CurveView& view = *explore_->curve;
    const double scale = std::min(view.width() / view.drawing().width, view.height() / view.drawing().height);
    const DrawPoint at = explore_->layout()->points().at(run).at;
    QTest::mouseClick(explore_->curve, Qt::LeftButton, {}, QPoint(qRound(at.x * scale), qRound(at.y * scale)));
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

}  // namespace
}  // namespace switchsim::testing
