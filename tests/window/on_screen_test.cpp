// What the window shows on screen, beyond what grab() repaints: cleared
// traces are repainted, and fore colours hold whether or not the window is
// active.
#include <QCoreApplication>
#include <QLineEdit>
#include <QPaintEvent>
#include <QTest>

#include "form_fixture.h"
#include "form/lists.h"

namespace switchsim::testing {
namespace {

class OnScreenTest : public FormTest {};

// Collects the areas of the paint events a widget receives.
class PaintSpy : public QObject {
 public:
  QRegion painted;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->rect();
    return false;
  }
};

TEST_F(OnScreenTest, ClearedTracesAreRepaintedWhole) {
  form().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
  form().cmdStart_Click(0);
  TickUntil([&] { return form().simulation().State().ClockMs >= 3000; });
  QCoreApplication::processEvents();

  std::array<PaintSpy, kLinkCount> spies;
  for (int k = 0; k < kLinkCount; ++k) form().picTrace[k]->installEventFilter(&spies[k]);
  form().cmbDelay[2]->setCurrentText("200");
  QCoreApplication::processEvents();
  for (int k = 0; k < kLinkCount; ++k) {
    const QRect inside = form().picTrace[k]->rect().adjusted(1, 1, -1, -1);
    EXPECT_TRUE(spies[k].painted.contains(inside)) << "trace " << k;
    form().picTrace[k]->removeEventFilter(&spies[k]);
  }
}

TEST_F(OnScreenTest, RedRatesStayRedInEveryPaletteGroup) {
  form().cmbMethod->setCurrentText("Circuit");
  form().cmdStart_Click(0);
  ASSERT_TRUE(TickUntil([&] { return form().logic().RateColour(0) == kRed; }));
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    SCOPED_TRACE(group);
    for (int k = 0; k < kLinkCount; ++k) {
      const QColor expected = k == 1 ? Qt::black : Qt::red;
      EXPECT_EQ(form().cmbBitRate[k]->palette().color(group, QPalette::Text), expected) << k;
      EXPECT_EQ(form().cmbBitRate[k]->lineEdit()->palette().color(group, QPalette::Text), expected);
    }
    EXPECT_EQ(form().Label1[0]->palette().color(group, QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(form().Label1[3]->palette().color(group, QPalette::WindowText), QColor(Qt::black));
  }
}

TEST_F(OnScreenTest, WhatTheFormSetsRunsNoHandlerOfTheWidgets) {
  RunTechnique("Message");
  ASSERT_FALSE(form().lneMessage->isHidden());
  form().cmbBitRate[0]->setEditText("2.0");  // the user's choice clears...
  ASSERT_TRUE(form().lneMessage->isHidden());
  form().cmdStart_Click(0);  // Reset
  RunTechnique("Message");
  ASSERT_FALSE(form().lneMessage->isHidden());
  // ...but a text or a list the form sets leaves the handlers to the form.
  form().SetBoxText(DelayBox(0), "200");
  form().FillList(RateBox(0), lists::kRateItems);
  EXPECT_FALSE(form().lneMessage->isHidden());
  EXPECT_EQ(form().cmbDelay[0]->currentText(), "200");
  EXPECT_EQ(form().cmbBitRate[0]->currentText(), "2");
  EXPECT_EQ(form().cmbBitRate[0]->count(), static_cast<int>(lists::kRateItems.size()));
}

}  // namespace
}  // namespace switchsim::testing
