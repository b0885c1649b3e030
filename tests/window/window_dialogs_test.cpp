// The classroom window's dialogs and docks: the results, the timing table
// beside the form, the guide and About.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTest>

#include "main_window_fixture.h"
#include "records/timing_format.h"
#include "text/version.h"

namespace switchsim::testing {
namespace {

TEST_F(MainWindowTest, ResultsListTheRunsNewestFirstAndCopyTheirCommand) {
  EXPECT_FALSE(window().export_results->isEnabled());
  Run("Message");
  Run("Circuit");
  const QAbstractItemModel& table = *window().results().model;
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(table.index(0, 0).data().toString(), "Circuit");
  EXPECT_EQ(table.index(1, 6).data().toString(), "6900");
  EXPECT_EQ(table.index(1, 9).data().toString(), "5");
  EXPECT_TRUE(window().export_results->isEnabled());
  window().results().table->setCurrentIndex(table.index(1, 0));
  window().results().copy_command->click();
  EXPECT_EQ(QApplication::clipboard()->text(),
            "switchsim-trace --technique Message --size 300 --rates 1,0.5,1 --delays 50,50,50 "
            "--seed 5");
  window().results().copy_text->click();
  EXPECT_EQ(QApplication::clipboard()->text().count('\n'), 3);
}

// The results are a dialog over the window, worked from the keyboard alone.
TEST_F(MainWindowTest, ResultsAreADialogOfTheKeyboard) {
  Run("Message");
  Run("Circuit");
  window().show();
  window().show_results->trigger();
  ResultsWindow& results = window().results();
  ASSERT_TRUE(results.isVisible());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&results)->role(), QAccessible::Dialog);
  EXPECT_TRUE(window().geometry().contains(results.geometry().center()));
  QApplication::setActiveWindow(&results);
  results.table->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), results.table);
  QTest::keyClick(results.table, Qt::Key_Down);  // from the newest run to the one before
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), results.copy_command);
  QTest::keyClick(results.copy_command, Qt::Key_Space);
  EXPECT_TRUE(QApplication::clipboard()->text().contains("--technique Message"));
  QTest::keyClick(results.copy_command, Qt::Key_Escape);
  EXPECT_FALSE(results.isVisible());
  window().show_results->trigger();
  QApplication::setActiveWindow(&results);
  QTest::keyClick(results.table, Qt::Key_W, Qt::ControlModifier);
  EXPECT_FALSE(results.isVisible());
}

// The timing table beside the form, from the keyboard: it follows the run
// and exports what it shows.
TEST_F(MainWindowTest, TimingBesideTheFormFollowsTheRun) {
  window().show();
  QApplication::setActiveWindow(&window());
  window().start->trigger();
  for (int tick = 0; tick < 20; ++tick) form().Timer1_Timer();
  window().pause->trigger();  // so that the table's row stays as it is read
  TimingDock& timing = window().timing();
  EXPECT_FALSE(timing.isVisible());
  window().show_timing->trigger();
  ASSERT_TRUE(timing.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), timing.table);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(timing.table)->role(), QAccessible::Table);
  ASSERT_EQ(timing.model->rowCount(), 1);
  EXPECT_EQ(timing.model->index(0, 4).data().toString(), "25");
  EXPECT_EQ(timing.model->index(0, 5).data().toString(), "-");

  window().pause->trigger();
  RunToEnd();
  ASSERT_EQ(timing.model->rowCount(), 3);
  EXPECT_EQ(timing.model->index(0, 5).data().toString(), "1550");
  EXPECT_EQ(timing.model->index(2, 2).data().toString(), QString::fromUtf8("Router B \u2192 Receive"));
  EXPECT_EQ(timing.model->index(2, 8).data().toString(), "6900");
  const QString path = dir_.filePath("timing.csv");
  ASSERT_TRUE(window().ExportTiming(path));
  QFile csv(path);
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_EQ(csv.readAll().toStdString(), TimingCsv(window().classroom().TimingRows()));
  EXPECT_FALSE(window().ExportTiming(dir_.path()));  // a folder

  window().start->trigger();  // Reset, and a new run starts the table again
  window().start->trigger();
  window().Refresh(false);
  EXPECT_EQ(timing.model->rowCount(), 0);
  QTest::keyClick(timing.table, Qt::Key_Escape);
  EXPECT_FALSE(timing.isVisible());
}

TEST_F(MainWindowTest, GuideFillsInTheBoxesAndAboutNamesVersionLicenceAndQt) {
  window().help_menu->guide->trigger();
  ASSERT_NE(window().help_menu->guide_dialog->text, nullptr);
  EXPECT_TRUE(window().help_menu->guide_dialog->text->toPlainText().contains("= 6750 ms"));
  form().cmbBitRate[0]->setCurrentText("2.0");
  Run("Circuit");  // turns the rates red, to 0.5
  EXPECT_TRUE(window().help_menu->guide_dialog->text->toPlainText().contains(
      "(15\u00b7100/2 + 5\u00b750) + (15\u00b7100/0.5 + 5\u00b750) + (15\u00b7100/1 + 5\u00b750)"));

  window().help_menu->about->trigger();
  ASSERT_NE(window().help_menu->about_box, nullptr);
  const QString about = window().help_menu->about_box->text();
  EXPECT_TRUE(about.contains(QString::fromUtf8(kVersion.data(), static_cast<qsizetype>(kVersion.size()))));
  EXPECT_TRUE(about.contains("General Public License"));
  EXPECT_TRUE(about.contains(QString::fromLatin1(qVersion())));
}

}  // namespace
}  // namespace switchsim::testing
