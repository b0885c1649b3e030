// The window's edges on a classroom's screen (screen.json): what it
// remembers of itself, where a box at start opens, and how the status bar
// cuts a notice too long for it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "window/main_window.h"

namespace switchsim::testing {
namespace {

class WindowEdgesTest : public ::testing::Test {
 protected:
  WindowEdgesTest() : settings_(dir_.filePath("switchsim.ini"), QSettings::IniFormat) {}

  MainWindow& Open(const QStringList& arguments = {}) {
    if (window_ != nullptr) window_->close();
    window_ = std::make_unique<MainWindow>(settings_, std::get<StartOptions>(ParseStartOptions(arguments)));
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    return *window_;
  }

  QTemporaryDir dir_;
  QSettings settings_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(WindowEdgesTest, SizeMaximisedStateAndSpeedAreRemembered) {
  const QSize screen = QApplication::primaryScreen()->availableGeometry().size();
  Open();
  EXPECT_EQ(window_->size(), window_->sizeHint().boundedTo(screen));
  window_->resize(1000, 700);
  window_->speed_menu->speeds[3]->trigger();  // 2x
  EXPECT_EQ(Open().size(), QSize(1000, 700));
  EXPECT_EQ(window_->form().Speed(), 2.0);
  EXPECT_TRUE(window_->speed_menu->speeds[3]->isChecked());

  // A speed given at start wins for its session only; one chosen then is kept.
  EXPECT_EQ(Open({"--speed", "0.5"}).form().Speed(), 0.5);
  EXPECT_EQ(Open().form().Speed(), 2.0);
  Open({"--speed", "0.5"}).speed_menu->faster->trigger();
  EXPECT_EQ(Open().form().Speed(), 1.0);

  window_->showMaximized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window_->isMaximized(); }));
  EXPECT_TRUE(Open().isMaximized());
  EXPECT_EQ(window_->normalGeometry().size(), QSize(1000, 700)) << "the size it comes back to";
  window_->showNormal();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window_->isMaximized(); }));
  window_->close();
  settings_.setValue("window/size", QSize(5000, 3000));  // kept on a larger screen
  EXPECT_EQ(Open().size(), screen) << "as far as the screen holds it";
}

// The window opens in the middle of its screen, and a box it has to show at
// once waits for it, so that the box stands over the window, not under it.
TEST_F(WindowEdgesTest, ABoxAtStartStandsOverTheWindow) {
  settings_.setValue("window/size", QSize(400, 300));
  const auto options = std::get<StartOptions>(ParseStartOptions({"--exercises", dir_.filePath("absent.json")}));
  MainWindow window(settings_, options);
  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((window.frameGeometry().center() - screen.center()).manhattanLength(), 2);
  const QPointer<QMessageBox> box = window.exercises->failure_box;
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->isVisible()) << "before the window shows";
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return box != nullptr && box->isVisible(); }));
  EXPECT_TRUE(window.frameGeometry().contains(box->frameGeometry().center()));
}

TEST(NoticeLabel, CutsANoticeBetweenWords) {
  const QString notice = QStringLiteral("Ended at 15.025 s; Circuit: 6375 ms, formula 6050 ms");
  const QFontMetrics metrics(QApplication::font());
  const QStringList words = notice.split(' ');
  for (int width = 0; width <= metrics.horizontalAdvance(notice); width += 3) {
    const QString shown = NoticeLabel::CutAtWord(notice, metrics, width);
    SCOPED_TRACE(shown.toStdString());
    if (shown == notice) continue;
    ASSERT_TRUE(shown.endsWith(QStringLiteral("\u2026")));
    const QStringList kept = shown.chopped(1).split(' ', Qt::SkipEmptyParts);
    // Every word kept is whole, a comma or a semicolon aside.
    for (qsizetype i = 0; i < kept.size(); ++i) {
      EXPECT_TRUE(words[i] == kept[i] || words[i].chopped(1) == kept[i]);
    }
    EXPECT_TRUE(metrics.horizontalAdvance(shown) <= width || kept.isEmpty());
  }
  EXPECT_EQ(NoticeLabel::CutAtWord(notice, metrics, 100000), notice);
}

}  // namespace
}  // namespace switchsim::testing
