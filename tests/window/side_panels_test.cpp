// The panels beside the form on a classroom's screen (screen.json): the
// whole form stays in view with them, long texts wrap inside them, and
// their text follows the zoom and the projector.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "exercises/exercise_course.h"
#include "look/presentation.h"
#include "window/main_window.h"

namespace switchsim::testing {
namespace {

// A text of `bytes` bytes: words of `word` bytes each.
std::string LongText(std::size_t bytes, std::size_t word) {
  std::string text;
  while (text.size() < bytes) text += (text.empty() ? "" : " ") + std::string(word, 'w');
  return text.substr(0, bytes);
}

ExerciseSheet SheetOf(const std::string& title, const std::string& question, const std::string& explain) {
  Exercise exercise;
  exercise.question = question;
  exercise.parameters = {"Circuit", "300", {"1.0", "0.5", "1.0"}, {"50", "50", "50"}, kDefaultExerciseSeed, {}};
  exercise.explain = explain;
  return {title, {exercise}};
}

class SidePanelsTest : public ::testing::Test {
 protected:
  SidePanelsTest() : settings_(dir_.filePath("switchsim.ini"), QSettings::IniFormat) { Open({}); }

  void Open(const QStringList& arguments) {
    window_.reset();
    window_ = std::make_unique<MainWindow>(settings_, std::get<StartOptions>(ParseStartOptions(arguments)));
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  MainWindow& window() { return *window_; }
  ExerciseDock& dock() { return *window_->exercises->dock; }

  // Lets the window lay itself out until nothing moves any more.
  void Settle() {
    std::vector<QRect> before;
    for (int round = 0; round < 100; ++round) {
      QCoreApplication::processEvents();
      std::vector<QRect> now = {window_->frameGeometry()};
      for (const QWidget* each : window_->findChildren<QWidget*>()) now.push_back(each->geometry());
      if (now == before) return;
      before = std::move(now);
    }
    ADD_FAILURE() << "the window never settled";
  }
  // The form whole in the view at its own size, and the window on the screen.
  void ExpectTheWholeForm() {
    Settle();
    const QWidget& viewport = *qobject_cast<QScrollArea*>(window_->centralWidget())->viewport();
    const Form1& form = window_->form();
    EXPECT_TRUE(viewport.rect().contains(QRect(form.mapTo(&viewport, QPoint()), form.size())))
        << "the form " << form.width() << " px wide in a view of " << viewport.width();
    EXPECT_EQ(form.presentation().scale, 1.0);
    EXPECT_TRUE(window_->screen()->availableGeometry().contains(window_->frameGeometry()));
  }

  QTemporaryDir dir_;
  QSettings settings_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(SidePanelsTest, TheDefaultWindowShowsTheWholeFormBesideThePanels) {
  for (const char* zoom : {"100", "auto"}) {
    SCOPED_TRACE(zoom);
    Open({"--zoom", zoom});
    window().exercises->Open(BuiltInCourse());
    ExpectTheWholeForm();
    window().show_timing->trigger();
    ExpectTheWholeForm();
    window().exercises->close_set->trigger();
    ExpectTheWholeForm();
    window().show_timing->trigger();
    Settle();
    EXPECT_EQ(window().width(), window().sizeHint().width()) << "the panels' width given back";
  }
}

TEST_F(SidePanelsTest, LongTextsWrapInsideThePanel) {
  const std::string words = LongText(4000, 7);
  const std::string word = LongText(4000, 4000);
  const struct {
    const char* what;
    ExerciseSheet sheet;
    bool answered;
  } cases[] = {
      {"a question of 4000 bytes", SheetOf("Links", words, ""), false},
      {"a word of 4000 bytes", SheetOf("Links", word, ""), false},
      {"a title of 4000 bytes", SheetOf(word, "How long?", ""), false},
      {"an explanation of 4000 bytes", SheetOf("Links", "How long?", word + words), true},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.what);
    Open({});
    window().exercises->Open(each.sheet);
    if (each.answered) {
      dock().answer->setText("6375");
      dock().check->click();
      while (window().flow().Step() == ExerciseStep::Running) {
        window().form().Timer1_Timer();
        window().Refresh(true);
      }
    }
    ExpectTheWholeForm();
    EXPECT_EQ(dock().texts->horizontalScrollBar()->maximum(), 0);
    EXPECT_LE(dock().width(), window().panels->PanelWidth(dock()));
    EXPECT_GT(dock().texts->verticalScrollBar()->maximum(), 0) << "the panel scrolls the text";
    EXPECT_TRUE(dock().answer->visibleRegion().boundingRect() == dock().answer->rect());
  }
}

TEST_F(SidePanelsTest, ThePanelsTextFollowsTheZoomAndTheProjector) {
  window().exercises->Open(BuiltInCourse());
  window().show_timing->trigger();
  const int plain_px = QFontInfo(QApplication::font()).pixelSize();
  const struct {
    std::size_t zoom;  // the Zoom menu's item
    bool projector;
    double scale;
  } cases[] = {{3, false, 2.0}, {1, true, 1.25 * kProjectorPanelTextScale}, {0, false, 1.0}};
  for (const auto& each : cases) {
    SCOPED_TRACE(each.scale);
    window().zoom_menu->zooms[each.zoom]->trigger();
    if (window().zoom_menu->projector->isChecked() != each.projector) window().zoom_menu->projector->trigger();
    for (const QWidget* text : {static_cast<const QWidget*>(dock().question), static_cast<const QWidget*>(dock().next),
                                static_cast<const QWidget*>(window().timing().table)}) {
      const QFontInfo font(text->font());
      EXPECT_NEAR(font.pixelSize(), plain_px * each.scale, 1.0);
      EXPECT_EQ(font.bold(), each.projector);
    }
  }
}

}  // namespace
}  // namespace switchsim::testing
