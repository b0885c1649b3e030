// The exercises in the window: the panel asked from the keyboard, the
// readouts hidden until the answer, the sets opened from files, and the
// progress kept in the settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <functional>
#include <memory>

#include "form/chosen_model.h"
#include "exercises/exercise_sheet.h"
#include "window/main_window.h"
#include "formulas/reading_guide.h"
#include "window/start_options.h"

namespace switchsim::testing {
namespace {

RunParameters Defaults(const char* technique) {
  return {technique, "300", {"1.0", "0.5", "1.0"}, {"50", "50", "50"}, kDefaultExerciseSeed, {}};
}

Exercise CircuitExercise() {
  Exercise exercise;
  exercise.question = "How long does Circuit take?";
  exercise.parameters = Defaults("Circuit");
  exercise.tolerance_percent = 10;
  exercise.explain = "The set-up crosses every link before the data.";
  return exercise;
}

ExerciseSheet TwoQuestions() {
  Exercise fastest;
  fastest.question = "Which technique delivers first?";
  fastest.ask = ExerciseAsk::Fastest;
  fastest.parameters = Defaults("Packet");
  return {"Switching", {CircuitExercise(), fastest}};
}

class ExerciseDockTest : public ::testing::Test {
 protected:
  ExerciseDockTest() : settings_(dir_.filePath("switchsim.ini"), QSettings::IniFormat) { MakeWindow(); }

  void MakeWindow(StartOptions options = {}) {
    window_.reset();
    options.SetSeed(5);
    window_ = std::make_unique<MainWindow>(settings_, options);
    window_->show();
    QApplication::setActiveWindow(window_.get());
  }
  MainWindow& window() { return *window_; }
  ExerciseDock& dock() { return *window_->exercises->dock; }
  ExerciseFlow& flow() { return window_->flow(); }

  void Type(const QString& text) {
    QLineEdit* field = dock().AnswerField();
    field->clear();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  // Ticks the form as its timer would, until the outcome shows.
  void RunExercise() {
    for (int tick = 0; flow().Step() == ExerciseStep::Running && tick < 10000; ++tick) {
      if (window().form().logic().TimerEnabled()) window().form().Timer1_Timer();
      window().Refresh(true);
    }
    ASSERT_EQ(flow().Step(), ExerciseStep::Answered);
  }
  QString GuideText() {
    window().help_menu->guide->trigger();
    return window().help_menu->guide_dialog->text->toPlainText();
  }
  QString GuideOf(bool filled_in) {
    QTextBrowser guide;
    guide.setHtml(QString::fromStdString(ReadingGuideHtml(ChosenModel(window().form().logic()), filled_in)));
    return guide.toPlainText();
  }
  QString Written(const char* name, const QByteArray& bytes) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }

  QTemporaryDir dir_;
  QSettings settings_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(ExerciseDockTest, ReadoutsStayHiddenUntilTheAnswerIsTaken) {
  window().exercises->Open(TwoQuestions());
  ASSERT_EQ(flow().Step(), ExerciseStep::Asking);
  EXPECT_TRUE(dock().isVisible());
  EXPECT_EQ(dock().heading->Text(), QString::fromStdString(flow().Heading()));
  EXPECT_EQ(dock().question->Text(), "How long does Circuit take?");
  EXPECT_EQ(QApplication::focusWidget(), dock().answer);
  EXPECT_FALSE(window().form().marker_labels->isVisible());
  EXPECT_TRUE(window().results().table->isHidden());
  EXPECT_FALSE(window().export_results->isEnabled());
  EXPECT_TRUE(window().timing().table->isHidden());
  EXPECT_EQ(GuideText(), GuideOf(false));
  window().show_explore->trigger();
  EXPECT_TRUE(window().explore()->curve->isHidden());
  EXPECT_FALSE(window().explore()->draw->isEnabled());
  const QLabel* notice = window().status->notice;
  EXPECT_TRUE(notice->accessibleName().contains("How long does Circuit take?"));

  const int heard = window().classroom().NoticeCount();
  Type("6 375 ms");
  window().pause->trigger();  // the run's state stays while it is read
  EXPECT_EQ(flow().Step(), ExerciseStep::Running);
  EXPECT_TRUE(window().form().marker_labels->isVisible());
  EXPECT_EQ(GuideText(), GuideOf(true));
  EXPECT_TRUE(window().explore()->draw->isEnabled());  // no curve yet to show: Explore shows none before Draw
  EXPECT_TRUE(window().classroom().NoticesSince(heard).find("6375 ms") != std::string::npos);
  window().pause->trigger();
  RunExercise();
  EXPECT_TRUE(flow().Outcome()->within);
  EXPECT_TRUE(notice->accessibleName().contains(QString::fromStdString(flow().Outcome()->lines.at(1).text)));
  EXPECT_FALSE(window().results().table->isHidden());
  EXPECT_EQ(window().results().model->rowCount(), 1);
  // The outcome in short labelled lines, each text named by its label.
  EXPECT_EQ(dock().outcome->Text(), QString::fromStdString(flow().OutcomeText()));
  const auto& lines = flow().Outcome()->lines;
  ASSERT_EQ(dock().outcome->labels.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(dock().outcome->labels[i]->text().toStdString(), lines[i].label);
    EXPECT_EQ(dock().outcome->texts[i]->accessibleName().toStdString(), lines[i].label);
  }
  EXPECT_EQ(QApplication::focusWidget(), dock().next);
}

// A text that is no answer keeps the field and the attempt; a wrong answer
// is graded with the teacher's explanation.
TEST_F(ExerciseDockTest, HintForNoAnswerAndExplanationForAWrongOne) {
  window().exercises->Open(TwoQuestions());
  Type("abc");
  EXPECT_EQ(flow().Step(), ExerciseStep::Asking);
  EXPECT_FALSE(flow().Records()[0].answered());
  EXPECT_FALSE(dock().hint->isHidden());
  EXPECT_FALSE(dock().hint->Text().isEmpty());
  EXPECT_EQ(dock().answer->text(), "abc");
  EXPECT_EQ(QApplication::focusWidget(), dock().answer);
  EXPECT_TRUE(window().status->notice->accessibleName().contains(dock().hint->Text()));

  Type("1000");
  EXPECT_TRUE(dock().hint->isHidden());
  RunExercise();
  EXPECT_FALSE(flow().Outcome()->within);
  EXPECT_TRUE(dock().outcome->Text().contains("The set-up crosses every link before the data."));
  EXPECT_TRUE(window().status->notice->accessibleName().size() > 0);
  EXPECT_TRUE(dock().retry->isEnabled());
}

// A question of techniques offers them in a list that can be typed in, and
// runs each technique in turn before the outcome.
TEST_F(ExerciseDockTest, TechniqueQuestionsRunEveryTechnique) {
  window().exercises->Open(TwoQuestions());
  Type("6375");
  RunExercise();
  QTest::keyClick(dock().next, Qt::Key_Space);
  ASSERT_EQ(flow().Index(), 1);
  EXPECT_TRUE(dock().answer->isHidden());
  EXPECT_EQ(dock().choices->count(), 3);
  EXPECT_EQ(QApplication::focusWidget(), dock().choices);
  Type("packet");
  RunExercise();
  EXPECT_EQ(window().results().model->rowCount(), 4);  // the circuit, then all three
}

// A question of changes with the teacher's hint, then one without a hint.
TEST_F(ExerciseDockTest, TheTeachersHintOnRequestAndTheChangesInTheList) {
  ASSERT_TRUE(window().exercises->OpenFile(Written("changes.json", R"({"title": "Changes", "exercises": [
      {"question": "Double link 2's rate or halve its delay?", "ask": "which-change", "technique": "Message",
       "size": 1000, "rates": "2,2,2", "delays": "200,200,200", "changes": ["rate2=4.0", "delay2=100"],
       "hint": "Compare L/R with d."},
      {"question": "How long?", "ask": "completion", "technique": "Message",
       "size": 300, "rates": "1,1,1", "delays": "20,20,20"}]})")));
  const std::vector<std::string> changes = flow().Choices();
  ASSERT_EQ(dock().choices->count(), static_cast<int>(changes.size()));
  for (std::size_t i = 0; i < changes.size(); ++i) {
    EXPECT_EQ(dock().choices->itemText(static_cast<int>(i)).toStdString(), changes[i]);
  }
  EXPECT_TRUE(dock().answer->isHidden());
  ASSERT_FALSE(dock().show_hint->isHidden());
  EXPECT_TRUE(dock().teacher_hint->isHidden());
  QTest::keyClick(dock().show_hint, Qt::Key_Space);
  EXPECT_TRUE(dock().show_hint->isHidden());
  EXPECT_FALSE(dock().teacher_hint->isHidden());
  EXPECT_EQ(dock().teacher_hint->Text(), "Hint: Compare L/R with d.\n");
  EXPECT_EQ(QApplication::focusWidget(), dock().choices);
  EXPECT_TRUE(window().status->notice->accessibleName().contains("Compare L/R with d."));

  Type(QString::fromStdString(changes[0]));
  RunExercise();
  EXPECT_TRUE(flow().Records()[0].attempts.back().hinted);
  QTest::keyClick(dock().next, Qt::Key_Space);
  EXPECT_TRUE(dock().show_hint->isHidden());
  EXPECT_TRUE(dock().teacher_hint->isHidden());
  EXPECT_FALSE(dock().answer->isHidden());
}

// Every attempt is kept: Start again asks first, and a No keeps them.
TEST_F(ExerciseDockTest, StartAgainAsksBeforeItForgetsAndANoKeepsTheProgress) {
  window().exercises->Open(TwoQuestions());
  dock().start_again->click();  // nothing to forget yet: nothing to ask
  EXPECT_EQ(dock().start_again_box, nullptr);
  Type("6375");
  RunExercise();
  for (const auto& [button, kept] : {std::pair{QMessageBox::No, true}, std::pair{QMessageBox::Yes, false}}) {
    SCOPED_TRACE(kept);
    const QString question = QString::fromStdString(flow().StartAgainQuestion());
    dock().start_again->click();
    ASSERT_NE(dock().start_again_box, nullptr);
    EXPECT_TRUE(dock().start_again_box->isVisible());
    EXPECT_EQ(dock().start_again_box->text(), question);
    EXPECT_TRUE(flow().Records()[0].answered()) << "nothing forgotten before the answer";
    dock().start_again_box->button(button)->click();
    EXPECT_EQ(flow().Records()[0].answered(), kept);
    EXPECT_EQ(flow().Step(), kept ? ExerciseStep::Answered : ExerciseStep::Asking);
  }
  MakeWindow();
  window().exercises->Open(TwoQuestions());
  EXPECT_FALSE(flow().Records()[0].answered()) << "the progress kept is the one started again";
}

// A student who presses Start while a question waits, to read the answer off the run.
TEST_F(ExerciseDockTest, AStartPressedWhileAQuestionWaitsStartsNothing) {
  window().exercises->Open(TwoQuestions());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  Form1& form = window().form();
  const QImage traces = form.grab(QRect(form.picTrace[0]->pos(), form.picTrace[2]->geometry().bottomRight())).toImage();
  const std::function<void()> presses[] = {
      [&] { form.cmdStart[0]->click(); },
      [&] { QTest::keyClick(dock().answer, Qt::Key_F5); },
      [&] { window().start->trigger(); },
  };
  for (const auto& press : presses) {
    press();
    window().Refresh(false);
    EXPECT_EQ(form.simulation().State().ClockMs, 0);
    EXPECT_FALSE(form.logic().TimerEnabled());
    for (const LineShape* marker : {form.lneMessage, form.lneCircuit, form.lnePacket}) EXPECT_TRUE(marker->isHidden());
    EXPECT_EQ(form.grab(QRect(form.picTrace[0]->pos(), form.picTrace[2]->geometry().bottomRight())).toImage(), traces);
    EXPECT_EQ(window().status->notice->text().toStdString(), kStartHeldNotice);
    EXPECT_EQ(flow().Step(), ExerciseStep::Asking);
  }
  Type("6375");
  ASSERT_TRUE(form.logic().TimerEnabled()) << "the answer starts the run";
  RunExercise();
  EXPECT_FALSE(form.lneCircuit->isHidden());
}

TEST_F(ExerciseDockTest, ProgressIsKeptAcrossWindowsAndExported) {
  window().exercises->Open(TwoQuestions());
  Type("6375");
  RunExercise();
  MakeWindow();
  window().exercises->Open(TwoQuestions());
  EXPECT_TRUE(flow().Records()[0].answered());
  EXPECT_EQ(flow().Index(), 1);
  EXPECT_EQ(dock().summary->text(), QString::fromStdString(flow().ProgressSummary()));

  const QString path = dir_.filePath("progress.csv");
  ASSERT_TRUE(window().exercises->ExportProgress(path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), flow().ProgressCsv());
  EXPECT_FALSE(window().exercises->ExportProgress(dir_.filePath("missing/progress.csv")));
  ASSERT_NE(window().exercises->failure_box, nullptr);
  EXPECT_TRUE(window().exercises->failure_box->text().contains("missing/progress"));
}

// A file that is no set is refused in a box that names it, and the set open stays.
TEST_F(ExerciseDockTest, FilesThatAreNoSetAreRefusedByName) {
  window().exercises->Open(TwoQuestions());
  Type("6375");
  window().pause->trigger();  // the answer's run stays under way while the files are refused
  const struct {
    const char* name;
    QByteArray bytes;
    const char* says;
  } cases[] = {
      {"broken.json", "{\"title\": \"x\",\n  \"exercises\": [}", "line 2"},
      {"huge.json", QByteArray(static_cast<qsizetype>(kMostSheetBytes) + 1, ' '), "at most"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.name);
    EXPECT_FALSE(window().exercises->OpenFile(Written(each.name, each.bytes)));
    ASSERT_NE(window().exercises->failure_box, nullptr);
    EXPECT_TRUE(window().exercises->failure_box->text().contains(each.name));
    EXPECT_TRUE(window().exercises->failure_box->text().contains(each.says));
    EXPECT_EQ(flow().Sheet().title, "Switching");
    EXPECT_EQ(flow().Step(), ExerciseStep::Running);
  }
  EXPECT_FALSE(window().exercises->OpenFile(dir_.filePath("absent.json")));
  EXPECT_TRUE(window().exercises->failure_box->text().contains("absent.json"));
}

// --exercises opens a sheet's file (or the built-in course) at start, and --predict makes one exercise of the options.
TEST_F(ExerciseDockTest, SetsOpenAtStart) {
  StartOptions from_file;
  from_file.exercises = Written("sheet.json", R"({"title": "Links", "exercises": [
      {"question": "How long?", "ask": "completion", "technique": "Message",
       "size": 300, "rates": "1,1,1", "delays": "20,20,20"}]})")
                            .toStdString();
  const StartOptions predicted =
      std::get<StartOptions>(ParseStartOptions({"--predict", "--technique", "Packet"}));
  const StartOptions course = std::get<StartOptions>(ParseStartOptions({"--exercises", "builtin"}));
  for (const auto& [options, title] : {std::pair{from_file, "Links"}, std::pair{predicted, "Exercise from a link"},
                                       std::pair{course, "Switching, step by step"}}) {
    MakeWindow(options);
    EXPECT_EQ(flow().Step(), ExerciseStep::Asking);
    EXPECT_EQ(flow().Sheet().title, title);
    EXPECT_TRUE(window().exercises->close_set->isEnabled());
  }
  window().exercises->close_set->trigger();
  EXPECT_EQ(flow().Step(), ExerciseStep::Closed);
  EXPECT_FALSE(dock().isVisible());
  EXPECT_TRUE(window().form().marker_labels->isVisible());
}

}  // namespace
}  // namespace switchsim::testing
