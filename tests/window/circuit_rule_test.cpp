// The circuit's slowest-link rule as the window shows it: red rate boxes and
// labels that Reset turns back.
#include <QLineEdit>

#include "form_fixture.h"

namespace switchsim::testing {
namespace {

class CircuitRuleTest : public FormTest {
 protected:
  /// Starts a circuit and ticks until the acknowledgement has lowered the rates.
  void RunUntilRatesLowered() {
    form().cmbMethod->setCurrentText("Circuit");
    form().cmdStart_Click(0);
    ASSERT_TRUE(TickUntil([&] { return form().logic().RateColour(0) == kRed; }));
  }

  QColor TextColour(QWidget* widget) { return widget->palette().color(QPalette::Text); }
};

TEST_F(CircuitRuleTest, FasterLinksTurnRedAndShowTheSlowestRate) {
  RunUntilRatesLowered();
  const std::array<const char*, 3> texts = {"0.5", "0.5", "0.5"};
  const std::array<QColor, 3> colours = {Qt::red, Qt::black, Qt::red};
  for (int k = 0; k < kLinkCount; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(form().cmbBitRate[k]->currentText(), texts[k]);
    EXPECT_EQ(TextColour(form().cmbBitRate[k]), colours[k]);
    EXPECT_EQ(TextColour(form().cmbBitRate[k]->lineEdit()), colours[k]);
  }
  EXPECT_EQ(form().Label1[0]->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(form().Label1[3]->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(form().Label1[5]->palette().color(QPalette::WindowText), QColor(Qt::red));
  // The user's own rates are kept.
  EXPECT_EQ(form().simulation().State().SavedRates[0], 1.0);
  EXPECT_EQ(form().simulation().State().SavedRates[2], 1.0);
}

TEST_F(CircuitRuleTest, ARateChosenInARedBoxIsNotRememberedAndClearsNothing) {
  RunUntilRatesLowered();
  ASSERT_FALSE(TraceIsEmpty(0));

  form().cmbBitRate[0]->setCurrentText("5.0");
  EXPECT_EQ(form().simulation().State().SavedRates[0], 1.0);
  EXPECT_FALSE(TraceIsEmpty(0));

  form().cmdStart_Click(0);  // Reset
  EXPECT_EQ(form().cmbBitRate[0]->currentText(), "1");
}

TEST_F(CircuitRuleTest, ResetRestoresTheUsersRatesInBlack) {
  RunUntilRatesLowered();
  RunToEnd();
  ASSERT_FALSE(form().lneCircuit->isHidden());

  form().cmdStart_Click(0);  // Reset
  const std::array<const char*, 3> texts = {"1", "0.5", "1"};
  for (int k = 0; k < kLinkCount; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(form().cmbBitRate[k]->currentText(), texts[k]);
    EXPECT_EQ(TextColour(form().cmbBitRate[k]), QColor(Qt::black));
    EXPECT_EQ(form().logic().RateLabelColour(k), kBlack);
    EXPECT_TRUE(TraceIsEmpty(k));
  }
  // Restoring the rates is not a change by the user: the marker stays.
  EXPECT_FALSE(form().lneCircuit->isHidden());

  // Black again, the box remembers what the user picks.
  form().cmbBitRate[0]->setCurrentText("2.0");
  EXPECT_EQ(form().simulation().State().SavedRates[0], 2.0);
}

}  // namespace
}  // namespace switchsim::testing
