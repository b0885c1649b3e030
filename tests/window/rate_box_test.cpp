// Rates typed into a rate box: usable ones act at once, others are refused
// and the box shows the last usable rate again once editing ends.
#include <QFocusEvent>
#include <QLineEdit>
#include <QtTest/QTest>

#include "form_fixture.h"

namespace switchsim::testing {
namespace {

enum class EditingEnd { Enter, FocusOut };

struct TypedRateCase {
  const char* name;
  const char* typed;
  double rate_while_typing;  // the rate the tick uses
  const char* text_after_editing;
};

void PrintTo(const TypedRateCase& c, std::ostream* out) { *out << c.name; }

using RateBoxTest = FormTest;

class TypedRateTest
    : public FormTest,
      public ::testing::WithParamInterface<std::tuple<TypedRateCase, EditingEnd>> {
 protected:
  QLineEdit& Field() { return *form().cmbBitRate[0]->lineEdit(); }

  void Type(const char* text) {
    Field().selectAll();
    QTest::keyClick(&Field(), Qt::Key_Backspace);
    QTest::keyClicks(&Field(), QString::fromLatin1(text));
  }

  void EndEditing(EditingEnd end) {
    if (end == EditingEnd::Enter) {
      QTest::keyClick(&Field(), Qt::Key_Return);
    } else {
      QFocusEvent focus_out(QEvent::FocusOut, Qt::TabFocusReason);
      QApplication::sendEvent(&Field(), &focus_out);
    }
  }
};

TEST_P(TypedRateTest, TypedTextActsOrIsRefused) {
  const auto& [c, end] = GetParam();
  form().cmdStart_Click(0);
  Type(c.typed);
  EXPECT_EQ(form().cmbBitRate[0]->currentText(), c.typed);
  EXPECT_EQ(form().simulation().TickRate(0), c.rate_while_typing);
  EXPECT_EQ(form().simulation().State().SavedRates[0], c.rate_while_typing);
  form().Timer1_Timer();  // the run goes on

  EndEditing(end);
  EXPECT_EQ(form().cmbBitRate[0]->currentText(), c.text_after_editing);
  EXPECT_EQ(form().cmbBitRate[0]->count(), 5);  // nothing was added to the list
  EXPECT_EQ(form().simulation().TickRate(0), c.rate_while_typing);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedRateTest,
    ::testing::Combine(
        ::testing::Values(TypedRateCase{"Usable", "2.5", 2.5, "2.5"},
                          TypedRateCase{"LeadingNumber", "4x", 4.0, "4x"},
                          TypedRateCase{"NotANumber", "fast", 1.0, "1"},
                          TypedRateCase{"Zero", "0", 1.0, "1"},
                          TypedRateCase{"Negative", "-2", 1.0, "1"},
                          TypedRateCase{"Empty", "", 1.0, "1"},
                          TypedRateCase{"NoInlineCompletion", "1", 1.0, "1"},
                          TypedRateCase{"ListPrefix", "10", 10.0, "10"}),
        ::testing::Values(EditingEnd::Enter, EditingEnd::FocusOut)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) +
             (std::get<1>(info.param) == EditingEnd::Enter ? "_Enter" : "_FocusOut");
    });

TEST_F(RateBoxTest, ARefusedRateShowsTheLastUsableOneNotTheDefault) {
  QLineEdit& field = *form().cmbBitRate[2]->lineEdit();
  field.selectAll();
  QTest::keyClicks(&field, "7");
  QTest::keyClick(&field, Qt::Key_Return);
  field.selectAll();
  QTest::keyClicks(&field, "none");
  QTest::keyClick(&field, Qt::Key_Return);
  EXPECT_EQ(form().cmbBitRate[2]->currentText(), "7");
  EXPECT_EQ(form().simulation().State().SavedRates[2], 7.0);
}

}  // namespace
}  // namespace switchsim::testing
