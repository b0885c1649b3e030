// The classroom window's run menu and its shortcuts, its status bar as a
// screen reader hears it, the rates typed in its boxes and its packet bar.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <sstream>
#include <variant>

#include "main_window_fixture.h"
#include "tools/options.h"
#include "tools/trace_run.h"

namespace switchsim::testing {
namespace {

TEST_F(MainWindowTest, ARefusedRateIsNamedWithoutWideningTheWindow) {
  const std::string typed(200, 'x');
  form().cmbBitRate[2]->setEditText(QString::fromStdString(typed));
  emit form().cmbBitRate[2]->lineEdit()->editingFinished();
  EXPECT_EQ(form().cmbBitRate[2]->currentText(), "1");
  EXPECT_EQ(window().status->notice->text().toStdString(),
            "\"" + typed.substr(0, 40) + "\u2026\" is not a usable rate: link 3 keeps 1");
  EXPECT_EQ(window().sizeHint().width(), form().width());
}

// What a screen reader is told during a packet run at the window's pace:
// the clock's name changes with the run's state, the packet marker's at its
// first and its last arrival; the clock is read on demand.
TEST_F(MainWindowTest, AScreenReaderHearsTheClockOnDemandAndEachMarkerOnceItIsDone) {
  struct Heard {
    QObject* object;
    QString name;
    int changes = 0;
    void Note() {
      const QString now = QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
      changes += now != name;
      name = now;
    }
  };
  Heard clock{window().status->clock, {}};
  Heard marker{form().lnePacket, {}};
  form().cmbMethod->setCurrentText("Packet");
  window().start->trigger();
  clock.Note();
  marker.Note();
  clock.changes = marker.changes = 0;
  for (int n = 0; form().logic().TimerEnabled(); ++n) {
    form().Timer1_Timer();
    window().Refresh(n % 10 != 0);
    clock.Note();
    marker.Note();
  }
  EXPECT_LE(clock.changes, 1);
  EXPECT_EQ(marker.changes, 2);
  EXPECT_EQ(clock.name, "Clock, t = 15.025 s");

  window().read_clock->trigger();
  EXPECT_EQ(window().status->notice->text(), "Ended at 15.025 s");
}

TEST_F(MainWindowTest, ARefusedRateBringsBackTheRateBeforeTheEditAsItWasShown) {
  QComboBox& box = *form().cmbBitRate[1];
  QLineEdit& field = *box.lineEdit();
  field.selectAll();
  QTest::keyClicks(&field, "1e400");  // "1e40" is usable on the way
  QTest::keyClick(&field, Qt::Key_Return);
  EXPECT_EQ(box.currentText(), "0.5");
  EXPECT_EQ(form().simulation().State().SavedRates[1], 0.5);
  box.setCurrentIndex(3);  // a choice from the list ends an edit
  emit box.activated(3);
  field.selectAll();
  QTest::keyClicks(&field, "abc");
  QTest::keyClick(&field, Qt::Key_Return);
  EXPECT_EQ(box.currentText(), "5.0");
}

TEST_F(MainWindowTest, RunMenuDoesWhatTheButtonsDoAndStepsOneTick) {
  // At a quarter of the speed the run lasts a minute: its state is read
  // long before it passes; the notice is read from the notices heard.
  window().speed_menu->speeds[0]->trigger();
  const int heard = window().classroom().NoticeCount();
  window().start->trigger();
  EXPECT_EQ(form().cmdStart[0]->text(), "Reset");
  EXPECT_EQ(window().start->text(), "Reset");
  EXPECT_EQ(window().status->phase->text(), "Running");
  EXPECT_TRUE(window().classroom().NoticesSince(heard).starts_with("Started Message: size 300"));
  EXPECT_FALSE(window().step->isEnabled());

  window().pause->trigger();
  EXPECT_EQ(form().cmdStart[1]->text(), "Cont");
  EXPECT_EQ(window().pause->text(), "Cont");
  EXPECT_EQ(window().status->phase->text(), "Paused");
  ASSERT_TRUE(window().step->isEnabled());
  for (int i = 0; i < 3; ++i) window().step->trigger();
  EXPECT_EQ(form().simulation().State().ClockMs, 75);
  EXPECT_EQ(window().status->clock->text(), "t = 0.075 s");
  EXPECT_FALSE(form().logic().TimerEnabled());

  window().pause->trigger();
  RunToEnd();
  EXPECT_EQ(window().status->notice->text(), "Ended at 15.025 s; Message: 6900 ms, formula 6750 ms");
  EXPECT_EQ(window().status->phase->text(), "Ended at 15.025 s");
  EXPECT_FALSE(window().step->isEnabled());
  window().start->trigger();
  EXPECT_EQ(window().status->phase->text(), "Ready");
  EXPECT_EQ(form().cmdStart[0]->text(), "Start");
}

TEST_F(MainWindowTest, ShortcutsNeverTakeKeysFromARateBeingTyped) {
  window().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
  QList<QAction*> actions = window().findChildren<QAction*>();
  std::vector<std::unique_ptr<QSignalSpy>> spies;
  for (QAction* action : actions) spies.push_back(std::make_unique<QSignalSpy>(action, &QAction::triggered));

  QLineEdit& field = *form().cmbBitRate[1]->lineEdit();
  field.setFocus();
  field.selectAll();
  QTest::keyClicks(&field, "2.5 +-=e");
  QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(field.text(), "2.5 +-=e");
  EXPECT_EQ(field.selectedText(), field.text());
  for (std::size_t i = 0; i < spies.size(); ++i) EXPECT_EQ(spies[i]->count(), 0) << actions[i]->text().toStdString();

  QTest::keyClick(&field, Qt::Key_F5);
  EXPECT_EQ(form().cmdStart[0]->text(), "Reset");
  QTest::keyClick(&field, Qt::Key_F6);
  EXPECT_EQ(form().cmdStart[1]->text(), "Cont");
  QTest::keyClick(&field, Qt::Key_F7);
  EXPECT_EQ(form().simulation().State().ClockMs, 25);
  QTest::keyClick(&field, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(form().Speed(), 0.5);
}

TEST_F(MainWindowTest, AFastRunOnTheRealTimerIsTheDriversRun) {
  window().speed_menu->Set(4);
  EXPECT_EQ(window().status->speed->text(), "Speed 4\u00d7");
  EXPECT_FALSE(window().speed_menu->faster->isEnabled());
  form().cmbMethod->setCurrentText("Packet");
  window().start->trigger();
  EXPECT_LE(form().Timer1->interval(), 7);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form().logic().TimerEnabled(); }, 120000));

  const RunParameters& run = *window().classroom().CurrentRun();
  std::istringstream words(TraceCommand(run));
  std::vector<std::string> args{"--json"};
  for (std::string word; words >> word;) {
    if (word != "switchsim-trace") args.push_back(word);
  }
  const auto options = std::get<trace::Options>(trace::ParseOptions(args));
  std::string driver;
  trace::RunTraces(options, 5, driver);
  EXPECT_EQ(window().classroom().RunLogText(), driver);
  EXPECT_EQ(window().results().model->rowCount(), 1);
}

TEST_F(MainWindowTest, ThePacketBarSetsTheNextRunsPacketsAndSaysSo) {
  ASSERT_TRUE(window().packet_bar->isVisibleTo(&window()));
  window().packet_bar->packet->setValue(4);
  window().packet_bar->header->setValue(1);
  EXPECT_EQ(window().status->notice->text(), "Packets of 4 blocks, header 1 block: from the next Start");
  EXPECT_EQ(window().packet_bar->packet->text(), "4 blocks");
  EXPECT_EQ(window().packet_bar->header->text(), "1 block");
  Run("Packet");
  const RunParameters& run = *window().classroom().CurrentRun();
  EXPECT_EQ(run.packeting, (Packeting{4, 1}));
  EXPECT_EQ(form().logic().simulation().State().UnitTable[4].Blocks, 4);  // 15 blocks: 4, 4, 4, 3
  // The bar is an addition around the form, and can be put away.
  window().show();
  QAction* bar = window().packet_bar->toggleViewAction();
  ASSERT_TRUE(bar->isChecked());
  bar->trigger();
  EXPECT_FALSE(window().packet_bar->isVisibleTo(&window()));
}

}  // namespace
}  // namespace switchsim::testing
