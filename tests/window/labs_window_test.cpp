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

#include "tools/lab_command.h"
#include "tools/options.h"
#include "window/main_window.h"

namespace switchsim::testing {
namespace {

inline constexpr int kRunBoundMs = 120'000;  // a bound for a loaded machine, never a run's time

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
  QTRY_VERIFY_WITH_TIMEOUT(!page.session().Running(), kRunBoundMs);
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
  QTRY_VERIFY_WITH_TIMEOUT(!page.session().Running(), kRunBoundMs);
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
  QTRY_VERIFY(window->labs_menu->window() != nullptr);
  LabsWindow& labs = *window->labs_menu->window();
  LabPage& page = labs.page(LabKind::Queue);
  EXPECT_TRUE(labs.isVisible());
  EXPECT_EQ(labs.tabs->currentWidget(), &page);
  std::vector<std::string> shown;
  for (const QLineEdit* box : page.boxes) shown.push_back(box->text().toStdString());
  EXPECT_EQ(shown, (std::vector<std::string>{"0.5", "4", "3000", "9"}));
  QTRY_VERIFY_WITH_TIMEOUT(page.session().HasRun() && !page.session().Running(), kRunBoundMs);
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

}  // namespace
}  // namespace switchsim::testing
