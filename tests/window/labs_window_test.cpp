// The Labs window: its boxes refuse as the lab does and keep the value
// they had, its runs are made between events and show and save what the
// driver prints for the same values, and a command line opens it on its lab.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "exercises/exercise_course.h"
#include "tools/lab_command.h"
#include "tools/options.h"
#include "window/main_window.h"
#include "window/qt_text.h"

namespace switchsim::testing {
namespace {

inline constexpr int kRunBoundMs = 120'000;  // a bound for a loaded machine, never a run's time
inline constexpr int kNarrowWidth = 560;     // px: a figure wraps to three lines in the projector's view

// Whether `done` holds within the bound, events processed meanwhile. (QTest's
// own QTRY macros would end a gtest case silently, as if it passed.)
template <typename Predicate>
bool Until(Predicate done) {
  return QTest::qWaitFor(done, kRunBoundMs);
}

// What switchsim-trace prints for `args`.
std::string DriverOutput(const std::vector<std::string>& args) {
  const auto options = trace::ParseOptions(args);
  if (const auto* error = std::get_if<trace::UsageError>(&options)) return "refused: " + error->message;
  std::ostringstream out;
  trace::RunLab(std::get<trace::Options>(options), out);
  return out.str();
}

std::string Shown(const LabelledLines& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.labels.size(); ++i) {
    text += lines.labels[i]->text().toStdString() + ": " + lines.texts[i]->Text().toStdString() + "\n";
  }
  return text;
}

class LabsWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<MainWindow> Open(const QStringList& arguments) {
    const auto options = ParseStartOptions(arguments);
    EXPECT_TRUE(std::holds_alternative<StartOptions>(options));
    return std::make_unique<MainWindow>(settings_, std::get<StartOptions>(options));
  }

  // Types `text` into the box as a user does and ends with `key`.
  static void Type(QLineEdit* box, const QString& text, Qt::Key key) {
    box->selectAll();
    QTest::keyClicks(box, text);
    if (key == Qt::Key_Tab) {
      emit box->editingFinished();  // as the focus leaving the box does
    } else {
      QTest::keyClick(box, key);
    }
  }

  static std::string Json(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "unreadable";
  }

  QTemporaryDir dir_;
  QSettings settings_{dir_.filePath("switchsim.ini"), QSettings::IniFormat};
};

TEST_F(LabsWindowTest, RefusesABadValueAndRunsAndSavesWhatTheDriverPrints) {
  const auto window = Open({});
  window->labs_menu->share->trigger();
  ASSERT_NE(window->labs_menu->window(), nullptr);
  LabsWindow& labs = *window->labs_menu->window();
  LabPage& page = labs.page(LabKind::Share);
  EXPECT_EQ(labs.tabs->currentWidget(), &page);
  ASSERT_EQ(page.boxes.size(), 7U);
  EXPECT_EQ(page.boxes[0]->accessibleName(), QStringLiteral("Users"));
  EXPECT_FALSE(page.boxes[0]->accessibleDescription().isEmpty());

  Type(page.boxes[0], QStringLiteral("abc"), Qt::Key_Tab);
  EXPECT_EQ(page.boxes[0]->text(), QStringLiteral("35"));
  EXPECT_TRUE(page.status->text().contains(QStringLiteral("\"abc\" is not a number of users")))
      << page.status->text().toStdString();
  EXPECT_EQ(page.status->accessibleName(), page.status->text());
  Type(page.boxes[0], QStringLiteral("20"), Qt::Key_Tab);
  Type(page.boxes[2], QStringLiteral("2"), Qt::Key_Tab);  // a user's rate above the link's: the run refuses it
  page.run->click();
  EXPECT_TRUE(page.status->text().contains(QStringLiteral("not even one user fits")))
      << page.status->text().toStdString();
  EXPECT_FALSE(page.session().HasRun());

  Type(page.boxes[1], QStringLiteral("0.3"), Qt::Key_Tab);
  Type(page.boxes[2], QStringLiteral("0.2"), Qt::Key_Tab);
  Type(page.boxes[5], QStringLiteral("60000"), Qt::Key_Tab);
  Type(page.boxes[6], QStringLiteral("7"), Qt::Key_Return);  // Enter runs
  ASSERT_TRUE(page.session().HasRun());
  EXPECT_FALSE(page.save_json->isEnabled());
  ASSERT_TRUE(Until([&] { return !page.session().Running(); }));
  EXPECT_EQ(page.progress->value(), page.progress->maximum());
  EXPECT_TRUE(page.save_json->isEnabled());
  EXPECT_TRUE(page.status->text().startsWith(QStringLiteral("Shared link done: 5 users on circuits")))
      << page.status->text().toStdString();

  LabSession fresh(LabKind::Share);
  for (const auto& [name, value] : {std::pair{"users", "20"}, {"active", "0.3"}, {"user-rate", "0.2"},
                                    {"slots", "60000"}, {"seed", "7"}}) {
    ASSERT_FALSE(fresh.Set(name, value));
  }
  ASSERT_FALSE(fresh.Start());
  while (fresh.RunSlice()) {
  }
  EXPECT_EQ(Shown(*page.figures), LabelledLinesText(fresh.Figures()));
  EXPECT_EQ(page.picture->drawing().title, fresh.Picture().title);

  // The keys reach every control, in the order the eye reads them.
  std::vector<QWidget*> controls(page.boxes.begin(), page.boxes.end());
  controls.insert(controls.end(), {page.run, page.status});
  controls.insert(controls.end(), page.figures->texts.begin(), page.figures->texts.end());
  controls.insert(controls.end(), {page.picture_area, page.copy_link, page.save_json});
  std::vector<QWidget*> reached;
  QWidget* next = controls.front();
  do {
    if (std::find(controls.begin(), controls.end(), next) != controls.end()) reached.push_back(next);
    next = next->nextInFocusChain();
  } while (next != controls.front() && reached.size() <= controls.size());
  EXPECT_EQ(reached, controls);

  const QString path = dir_.filePath("share.json");
  ASSERT_TRUE(page.SaveJson(path));
  EXPECT_EQ(Json(path), DriverOutput({"--share", "--users", "20", "--active", "0.3", "--user-rate", "0.2",
                                      "--slots", "60000", "--seed", "7", "--json"}));
  EXPECT_FALSE(page.SaveJson(dir_.filePath("no/such/folder/share.json")));
  EXPECT_TRUE(page.status->text().startsWith(QStringLiteral("Nothing was saved: cannot write")));

  page.copy_link->click();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "?" + fresh.Query());
  EXPECT_TRUE(page.status->text().endsWith(QApplication::clipboard()->text()));

  // A run started over another one ends it; closing stops the slices between two.
  Type(page.boxes[5], QStringLiteral("10000000"), Qt::Key_Return);
  Type(page.boxes[5], QStringLiteral("40000"), Qt::Key_Return);
  ASSERT_TRUE(Until([&] { return !page.session().Running(); }));
  ASSERT_EQ(page.figures->texts.size(), 6U);
  EXPECT_TRUE(page.figures->texts[3]->Text().endsWith(QStringLiteral(" of 40000 slots")))
      << page.figures->texts[3]->Text().toStdString();
  Type(page.boxes[5], QStringLiteral("10000000"), Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&labs));
  QTest::keyClick(page.boxes[5], Qt::Key_Escape);
  EXPECT_FALSE(labs.isVisible());
  const double stopped_at = page.session().Progress();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(page.session().Progress(), stopped_at);
  EXPECT_TRUE(page.session().Running());
}

TEST_F(LabsWindowTest, ACommandLineOfALabOpensItAndRunsItsValues) {
  const auto window = Open({"--queue", "--intensity", "0.5", "--buffer", "4", "--packets", "3000", "--seed", "9"});
  ASSERT_TRUE(Until([&] { return window->labs_menu->window() != nullptr; }));
  LabsWindow& labs = *window->labs_menu->window();
  LabPage& page = labs.page(LabKind::Queue);
  EXPECT_TRUE(labs.isVisible());
  EXPECT_EQ(labs.tabs->currentWidget(), &page);
  std::vector<std::string> shown;
  for (const QLineEdit* box : page.boxes) shown.push_back(box->text().toStdString());
  EXPECT_EQ(shown, (std::vector<std::string>{"0.5", "4", "3000", "9"}));
  ASSERT_TRUE(Until([&] { return page.session().HasRun() && !page.session().Running(); }));
  const QString path = dir_.filePath("queue.json");
  ASSERT_TRUE(page.SaveJson(path));
  EXPECT_EQ(Json(path), DriverOutput({"--queue", "--intensity", "0.5", "--buffer", "4", "--packets", "3000",
                                      "--seed", "9", "--json"}));
  EXPECT_FALSE(labs.page(LabKind::Share).session().HasRun());

  // Its text follows the projector's view, as the form's panels do.
  const qreal usual = labs.font().pointSizeF();
  window->zoom_menu->projector->trigger();
  EXPECT_TRUE(page.status->font().bold());
  EXPECT_GT(page.status->font().pointSizeF(), usual);
}

TEST_F(LabsWindowTest, DrawsTheDriversCurveAndHoldsTheLabWhileAQuestionWaits) {
  const auto window = Open({});
  window->labs_menu->share->trigger();
  LabsWindow& labs = *window->labs_menu->window();
  LabPage& page = labs.page(LabKind::Share);
  LabCurvePane& curve = *page.curve;
  EXPECT_EQ(curve.range->text(), QStringLiteral("5:60:5"));
  EXPECT_EQ(curve.seeds->value(), 1);
  EXPECT_FALSE(curve.picture_area->isVisibleTo(&curve));

  Type(page.boxes[5], QStringLiteral("20000"), Qt::Key_Tab);
  Type(curve.range, QStringLiteral("5:x:5"), Qt::Key_Return);
  EXPECT_TRUE(page.status->text().contains(QStringLiteral("\"x\""))) << page.status->text().toStdString();
  EXPECT_FALSE(curve.save_csv->isEnabled());
  curve.seeds->setValue(101);
  Type(curve.range, QStringLiteral("5:30:5"), Qt::Key_Return);
  EXPECT_TRUE(page.status->text().contains(QStringLiteral("101"))) << page.status->text().toStdString();
  curve.seeds->setValue(2);
  curve.draw->click();
  ASSERT_TRUE(page.session().CurveRunning());
  ASSERT_TRUE(Until([&] { return !page.session().CurveRunning(); }));
  EXPECT_EQ(curve.progress->value(), curve.progress->maximum());
  EXPECT_TRUE(curve.picture_area->isVisibleTo(&curve));
  EXPECT_EQ(curve.table->toPlainText().toStdString(), page.session().CurveTable());
  const QString path = dir_.filePath("curve.csv");
  ASSERT_TRUE(curve.SaveCsv(path));
  EXPECT_EQ(Json(path), DriverOutput({"--share", "--slots", "20000", "--sweep", "users=5:30:5", "--seeds", "2", "--csv"}));
  EXPECT_FALSE(curve.SaveSvg(dir_.filePath("no/such/folder/curve.svg")));
  EXPECT_TRUE(page.status->text().startsWith(QStringLiteral("Nothing was saved: cannot write")));

  page.run->click();
  ASSERT_TRUE(Until([&] { return !page.session().Running(); }));
  const std::string figures = Shown(*page.figures);
  ASSERT_FALSE(figures.empty());

  // While a question of the sharing course waits, the lab gives nothing away and runs nothing.
  const ExerciseSheet* course = BuiltInCourseNamed("sharing");
  ASSERT_NE(course, nullptr);
  window->exercises->Open(*course);
  ASSERT_TRUE(Until([&] { return page.session().Held(); }));
  EXPECT_TRUE(page.figures->texts.empty());
  EXPECT_FALSE(page.picture_area->isVisibleTo(&page));
  EXPECT_FALSE(curve.picture_area->isVisibleTo(&curve));
  EXPECT_TRUE(curve.table->toPlainText().isEmpty());
  EXPECT_EQ(page.status->text(), page.held_note->text());  // no longer the run's figures
  for (QPushButton* button : {page.run, curve.draw}) {
    button->click();
    EXPECT_TRUE(page.status->text().contains(ToQString(kLabHeldNotice))) << page.status->text().toStdString();
    page.status->clear();
  }
  EXPECT_TRUE(page.held_note->isVisibleTo(&page));
  EXPECT_FALSE(page.SaveJson(dir_.filePath("held.json")));
  EXPECT_FALSE(curve.SaveCsv(dir_.filePath("held.csv")));
  EXPECT_FALSE(QFile::exists(dir_.filePath("held.csv")));

  window->exercises->dock->answer->setText(QStringLiteral("10"));
  window->exercises->dock->check->click();
  ASSERT_TRUE(Until([&] { return !page.session().Held(); }));
  EXPECT_EQ(Shown(*page.figures), figures);
  EXPECT_TRUE(page.picture_area->isVisibleTo(&page));
  EXPECT_TRUE(curve.picture_area->isVisibleTo(&curve));
  EXPECT_FALSE(page.held_note->isVisibleTo(&page));
  EXPECT_TRUE(curve.SaveCsv(path));

  // At the window's least height, the projector's larger text keeps every line of every figure,
  // under a status line of a few lines.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&labs));
  EXPECT_FALSE(page.SaveJson(dir_.filePath("no/such/folder/share.json")));
  labs.resize(kNarrowWidth, labs.minimumSizeHint().height());
  ASSERT_TRUE(Until([&] { return labs.height() == labs.minimumSizeHint().height(); }));
  window->zoom_menu->projector->trigger();
  ASSERT_TRUE(Until([&] { return labs.height() == labs.minimumSizeHint().height(); }));
  EXPECT_TRUE(Until([&] { return page.figures->height() >= page.figures->minimumSizeHint().height(); }))
      << page.figures->height() << " of " << page.figures->minimumSizeHint().height();
}

}  // namespace
}  // namespace switchsim::testing
