// The window in each language: a walk through its menus, dialogs, panels,
// notices and exercise steps finds no text cut off or covering another
// control, and in the pseudo-language, where every text of the catalog is
// bracketed and a third longer, none left in English.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "po/compiled_catalogs.h"
#include "window/exercise_dock.h"
#include "window/exercise_sets.h"
#include "window/explore_window.h"
#include "window/lab_page.h"
#include "window/labs_menu.h"
#include "window/labs_window.h"
#include "window/language_menu.h"
#include "window/main_window.h"
#include "window/notice_label.h"
#include "window/results_window.h"

namespace switchsim::testing {
namespace {

inline constexpr int kRunBoundMs = 120'000;  // a bound for a loaded machine, never a run's time

// Whether `label` shows less than its text: a line wider than the label, or
// wrapped lines taller than it.
bool Clipped(const QLabel& label) {
  const QRect room = label.contentsRect();
  if (label.wordWrap()) return label.heightForWidth(room.width()) > room.height();
  if (label.textFormat() == Qt::PlainText || !Qt::mightBeRichText(label.text())) {
    return label.fontMetrics().horizontalAdvance(QString(label.text()).remove(QChar(u'&'))) > room.width();
  }
  QTextDocument document;
  document.setDefaultFont(label.font());
  document.setDocumentMargin(0);
  document.setHtml(label.text());
  return document.idealWidth() > room.width() + 1;
}

// `text` without its markup and without every bracketed stretch of the
// pseudo-language, innermost first, so that what remains was never marked.
QString Unmarked(const QString& text) {
  QString plain = text;
  if (Qt::mightBeRichText(plain)) {
    QTextDocument document;
    document.setHtml(plain);
    plain = document.toPlainText();
  }
  plain.remove(QChar(u'&'));  // a mnemonic's sign
  static const QRegularExpression innermost(QStringLiteral("\\[[^\\[\\]]*~\\]"));
  for (qsizetype before = -1; before != plain.size();) {
    before = plain.size();
    plain.replace(innermost, QStringLiteral(" "));
  }
  return plain;
}

// A word of two letters or more in what is left: English that the catalog missed.
bool HasWords(const QString& rest) {
  static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
  return rest.contains(word);
}

class LanguageWalkTest : public ::testing::TestWithParam<const char*> {
 protected:
  LanguageWalkTest() {
    EXPECT_TRUE(UseCompiledLanguage(GetParam()));
    window_ = std::make_unique<MainWindow>(settings_, StartOptions());
    window_->resize(1280, 900);
    window_->show();
  }
  ~LanguageWalkTest() override {
    window_.reset();
    UseCompiledLanguage("en");
  }

  // Looks at `text`, shown by `where`: unmarked English is noted.
  void Check(const QString& where, const QString& text) {
    if (std::string_view(GetParam()) == "pseudo" && HasWords(Unmarked(text))) offenders_.insert(where + ": " + text);
  }

  // Every text of every menu and submenu under `actions`.
  void CheckMenus(const QList<QAction*>& actions, const QString& path) {
    for (QAction* action : actions) {
      if (action->isSeparator()) continue;
      // Each language names itself in its own tongue ("Deutsch") in every language.
      const auto& languages = window_->language_menu->languages;
      if (std::find(languages.begin(), languages.end(), action) == languages.end()) {
        Check(path + " > menu item", action->text());
      }
      if (!action->toolTip().isEmpty() && action->toolTip() != action->text()) {
        Check(path + " > tool tip", action->toolTip());
      }
      if (QMenu* menu = action->menu()) CheckMenus(menu->actions(), path + " > " + action->text());
    }
  }

  // Every text the shown windows show, and every one that does not fit its widget.
  void CheckShown(const QString& step) {
    QApplication::processEvents();
    CheckCovers(step);
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (!top->isVisible()) continue;
      Check(step + " title", top->windowTitle());
      for (QWidget* widget : top->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(top) || !widget->isVisible()) continue;
        CheckWidget(step, widget);
      }
    }
  }

  void CheckWidget(const QString& step, QWidget* widget) {
    const QString class_name = QString::fromLatin1(widget->metaObject()->className());
    if (class_name == QStringLiteral("QDockWidgetTitleButton")) return;  // Qt's own, from Qt's translations
    const QString where = step + " " + class_name;
    if (!widget->toolTip().isEmpty()) Check(where + " tool tip", widget->toolTip());
    // A part of the form may be named as the form names it ("Frame1").
    if (!widget->accessibleName().isEmpty() && widget->accessibleName() != widget->objectName()) {
      Check(where + " accessible name", widget->accessibleName());
    }
    if (const auto* label = qobject_cast<QLabel*>(widget)) {
      Check(where, label->text());
      // The status bar's notice cuts itself at a word, by design, and shows the whole as its tool tip.
      const bool cuts_itself = qobject_cast<const NoticeLabel*>(label) != nullptr;
      if (!cuts_itself && label->pixmap().isNull() && Clipped(*label)) clipped_.insert(where + ": " + label->text());
    } else if (const auto* button = qobject_cast<QPushButton*>(widget)) {
      // A dialog's standard buttons ("OK", "Close") are Qt's own, from Qt's translations.
      const auto* buttons = qobject_cast<const QDialogButtonBox*>(button->parentWidget());
      if (buttons == nullptr || buttons->standardButton(const_cast<QPushButton*>(button)) == QDialogButtonBox::NoButton) {
        Check(where, button->text());
      }
      if (!CaptionFits(*button)) clipped_.insert(where + ": " + button->text());
    } else if (const auto* other = qobject_cast<QAbstractButton*>(widget)) {
      Check(where, other->text());
    } else if (const auto* box = qobject_cast<QGroupBox*>(widget)) {
      Check(where, box->title());
    } else if (const auto* line = qobject_cast<QLineEdit*>(widget)) {
      if (!line->placeholderText().isEmpty()) Check(where + " placeholder", line->placeholderText());
    } else if (const auto* tabs = qobject_cast<QTabWidget*>(widget)) {
      for (int i = 0; i < tabs->count(); ++i) Check(where + " tab", tabs->tabText(i));
    }
  }

  // The form's captions cover none of its boxes and buttons.
  void CheckCovers(const QString& step) {
    const QList<QWidget*> parts = window_->form().findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QLabel* label : window_->form().findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
      if (!label->isVisible() || label->text().isEmpty()) continue;
      const QSize text(label->fontMetrics().horizontalAdvance(label->text()), label->fontMetrics().height());
      const QRect ink = QStyle::alignedRect(Qt::LeftToRight, label->alignment(), text, label->geometry());
      for (const QWidget* part : parts) {
        const bool control = qobject_cast<const QComboBox*>(part) || qobject_cast<const QAbstractButton*>(part);
        if (control && part->isVisible() && part->geometry().intersects(ink)) {
          clipped_.insert(step + " " + label->text() + " covers " + part->accessibleName());
        }
      }
    }
  }

  // Whether a button's caption fits inside its frame and margins.
  static bool CaptionFits(const QPushButton& button) {
    const QStyle& style = *button.style();
    const int frame = style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button) +
                      2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    return button.fontMetrics().horizontalAdvance(QString(button.text()).remove(QChar(u'&'))) + frame <=
           button.width();
  }

  void ExpectAllMarked() {
    EXPECT_TRUE(offenders_.empty()) << Listed(offenders_).toStdString();
    EXPECT_TRUE(clipped_.empty()) << "cut off:\n" << Listed(clipped_).toStdString();
  }

  static QString Listed(const std::set<QString>& texts) {
    QString listed;
    for (const QString& text : texts) listed += text + "\n";
    return listed;
  }

  MainWindow& window() { return *window_; }

  QTemporaryDir dir_;
  QSettings settings_{dir_.filePath("switchsim.ini"), QSettings::IniFormat};
  std::unique_ptr<MainWindow> window_;
  std::set<QString> offenders_;
  std::set<QString> clipped_;
};

TEST_P(LanguageWalkTest, MenusDialogsAndPanelsShowNoUnmarkedText) {
  CheckMenus(window().menuBar()->actions(), "menu bar");
  CheckShown("at the start");

  window().form().cmbMethod->setCurrentIndex(2);
  window().start->trigger();
  while (window().form().logic().TimerEnabled()) window().form().Timer1_Timer();
  window().Refresh(false);
  window().show_timing->trigger();
  CheckShown("after a run");
  CheckMenus(window().menuBar()->actions(), "menu bar after a run");

  window().show_results->trigger();
  window().help_menu->guide->trigger();
  window().help_menu->about->trigger();
  CheckShown("results, guide and about");
  window().help_menu->about_box->close();
  window().help_menu->guide_dialog->close();
  static_cast<QWidget&>(window().results()).close();

  window().show_explore->trigger();
  ExploreWindow& explore = *window().explore();
  explore.draw->click();
  explore.Finish();
  CheckShown("Explore");
  explore.close();

  window().labs_menu->share->trigger();
  LabsWindow& labs = *window().labs_menu->window();
  for (LabKind kind : {LabKind::Share, LabKind::Queue}) {
    LabPage& page = labs.page(kind);
    labs.tabs->setCurrentWidget(&page);
    page.run->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page.session().Running(); }, kRunBoundMs));
    CheckShown(kind == LabKind::Share ? "shared link lab" : "queue lab");
  }
  labs.close();
  ExpectAllMarked();
}

TEST_P(LanguageWalkTest, EveryStepOfBothCoursesShowsNoUnmarkedText) {
  ExerciseFlow& flow = window().flow();
  ExerciseDock& dock = *window().exercises->dock;
  for (QAction* course : {window().exercises->open_course, window().exercises->open_sharing}) {
    course->trigger();
    while (flow.Step() == ExerciseStep::Asking) {
      if (!flow.TeacherHint().empty()) dock.show_hint->click();
      CheckShown("asking " + QString::number(flow.Index() + 1));
      // A choice, or the first number this kind of question takes.
      std::vector<QString> answers = {QStringLiteral("no answer")};
      for (const std::string& choice : flow.Choices()) answers.push_back(QString::fromStdString(choice));
      for (const char* number : {"100", "5", "0.5"}) answers.emplace_back(QString::fromLatin1(number));
      for (const QString& answer : answers) {
        if (flow.Step() != ExerciseStep::Asking) break;
        QLineEdit* field = dock.AnswerField();
        field->clear();
        QTest::keyClicks(field, answer);
        QTest::keyClick(field, Qt::Key_Return);
        if (answer == answers.front()) CheckShown("a refused answer");
      }
      for (int tick = 0; flow.Step() == ExerciseStep::Running && tick < 100000; ++tick) {
        if (window().form().logic().TimerEnabled()) window().form().Timer1_Timer();
        window().Refresh(true);
      }
      ASSERT_EQ(flow.Step(), ExerciseStep::Answered) << "exercise " << flow.Index() + 1;
      CheckShown("answered " + QString::number(flow.Index() + 1));
      dock.next->click();
    }
    EXPECT_EQ(flow.Step(), ExerciseStep::Done);
    CheckShown("done");
  }
  ExpectAllMarked();
}

// The form's captions in creation order: where the middle of each one's line
// stands, in px of the form, and its font's size.
std::vector<std::pair<double, int>> CaptionLines() {
  const Form1 form(1);
  std::vector<std::pair<double, int>> lines;
  for (const QLabel* label : form.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    lines.push_back({label->y() + label->contentsRect().top() + label->fontMetrics().height() / 2.0,
                     label->font().pixelSize()});
  }
  return lines;
}

TEST(FormCaptions, ACaptionWrittenSmallerKeepsTheMiddleOfItsLine) {
  const auto english = CaptionLines();
  ASSERT_TRUE(UseCompiledLanguage("de"));
  const auto german = CaptionLines();
  UseCompiledLanguage("en");
  ASSERT_EQ(german.size(), english.size());
  int smaller = 0;
  for (std::size_t i = 0; i < english.size(); ++i) {
    smaller += german[i].second < english[i].second;
    EXPECT_NEAR(german[i].first, english[i].first, 1.0) << "caption " << i;
  }
  EXPECT_GT(smaller, 0);  // "Verzögerung" is longer than its place
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageWalkTest, ::testing::Values("en", "pseudo", "de", "es"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace switchsim::testing
