// The classroom window around the form: the additions in the form's
// margins and the View menu, the run menu and its shortcuts, the status
// bar, the results, saving, the guide, and the start-up options.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>
#include <sstream>

#include "window/appearance.h"
#include "form_fixture.h"
#include "window/file_saving.h"
#include "look/layout.h"
#include "window/main_window.h"
#include "tools/options.h"
#include "pictures/svg_writer.h"
#include "records/timing_format.h"
#include "tools/trace_run.h"
#include "text/version.h"

namespace switchsim::testing {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest()
      : settings_(dir_.filePath("switchsim.ini"), QSettings::IniFormat),
        window_(std::make_unique<MainWindow>(settings_, Options())) {}

  static StartOptions Options() {
    StartOptions options;
    options.SetSeed(5);
    return options;
  }
  MainWindow& window() { return *window_; }
  Form1& form() { return window_->form(); }
  void RunToEnd() {
    while (form().logic().TimerEnabled()) form().Timer1_Timer();
    window().Refresh(false);
  }
  void Run(const char* technique) {
    if (form().logic().RunExists()) window().start->trigger();  // Reset
    form().cmbMethod->setCurrentText(technique);
    window().start->trigger();
    RunToEnd();
  }
  QImage Picture() { return form().grab().toImage(); }

  QTemporaryDir dir_;
  QSettings settings_;
  std::unique_ptr<MainWindow> window_;
};

QRect Pixels(const layout::TwipsRect& r) {
  return {layout::Px(r.left), layout::Px(r.top), layout::Px(r.width), layout::Px(r.height)};
}

TEST_F(MainWindowTest, AdditionsDrawOnlyInTheMarginsAndTheBareFormIsTheFormAlone) {
  form().cmbMethod->setCurrentText("Packet");
  window().start->trigger();
  RunToEnd();
  window().bare_form->setChecked(true);
  const QImage bare = Picture();

  Form1 alone(1);
  alone.cmbMethod->setCurrentText("Packet");
  alone.ReseedRandom(5);
  alone.cmdStart_Click(0);
  while (alone.Timer1->isActive()) alone.Timer1_Timer();
  EXPECT_EQ(bare, alone.grab().toImage());

  window().bare_form->setChecked(false);
  const QImage annotated = Picture();
  ASSERT_NE(annotated, bare);
  QRect marker = form().lnePacket->geometry();  // with its edge
  ASSERT_EQ(marker.height(), 5);
  QRegion margins = QRegion(Pixels(layout::kTimeScale)) + Pixels(layout::kMarkerLabelStrip) + marker;
  for (int y = 0; y < bare.height(); ++y) {
    for (int x = 0; x < bare.width(); ++x) {
      if (annotated.pixel(x, y) != bare.pixel(x, y)) {
        ASSERT_TRUE(margins.contains(QPoint(x, y))) << x << "," << y;
      }
    }
  }
  for (QAction* each : {window().time_scale, window().marker_labels, window().marker_edges}) {
    each->setChecked(false);
  }
  EXPECT_EQ(Picture(), bare);
}

TEST_F(MainWindowTest, ViewChoicesAreRemembered) {
  EXPECT_EQ(form().additions(), kAllAdditions);
  window().marker_edges->setChecked(false);
  window().bare_form->setChecked(true);
  EXPECT_FALSE(window().time_scale->isEnabled());
  EXPECT_EQ(form().additions(), Additions());

  MainWindow again(settings_, Options());
  EXPECT_TRUE(again.bare_form->isChecked());
  EXPECT_FALSE(again.marker_edges->isChecked());
  EXPECT_TRUE(again.marker_labels->isChecked());
  again.bare_form->setChecked(false);
  EXPECT_EQ(again.form().additions(), (Additions{true, true, false}));
}

// A ring shows where the keys go, around a box or a trace alike; the form
// alone and its picture are without it.
TEST_F(MainWindowTest, AFocusRingFollowsTheKeysButNotIntoThePicture) {
  window().show();
  QApplication::setActiveWindow(&window());
  for (QWidget* control : {static_cast<QWidget*>(form().picTrace[1]),
                           static_cast<QWidget*>(form().cmbBitRate[2])}) {
    control->setFocus();
    ASSERT_TRUE(form().focus_ring->isVisible());
    EXPECT_TRUE(form().focus_ring->geometry().contains(control->geometry()));
    EXPECT_GT(form().focus_ring->width(), control->width());
  }
  window().bare_form->setChecked(true);
  EXPECT_FALSE(form().focus_ring->isVisible());
  window().bare_form->setChecked(false);
  EXPECT_TRUE(form().focus_ring->isVisible());
  // The middle of the ring's left side, in the form's own picture and in the saved one.
  const QPoint ring_side = form().focus_ring->geometry().topLeft() +
                           QPoint(0, form().focus_ring->height() / 2);
  const QColor focus = appearance::ToQColor(appearance::kFocusColour);
  EXPECT_EQ(Picture().pixelColor(ring_side), focus);
  const QString path = dir_.filePath("focused.png");
  ASSERT_TRUE(window().SavePicture(path));
  EXPECT_NE(QImage(path).pixelColor(ring_side), focus);
  EXPECT_TRUE(form().focus_ring->isVisible());
}

TEST_F(MainWindowTest, EachMarkerHasADarkEdgeAndALabelWithItsTime) {
  Run("Message");
  Run("Circuit");
  const QImage picture = Picture();
  const QColor edge = appearance::ToQColor(appearance::kMarkerEdgeColour);
  for (const int ms : {6900, 6375}) {
    SCOPED_TRACE(ms);
    const int row = static_cast<int>(std::lround(MarkerYTwips(ms) / layout::kTwipsPerPixel));
    EXPECT_EQ(picture.pixelColor(828, row - 2), edge);
    EXPECT_EQ(picture.pixelColor(828, row + 2), edge);
    // Dark text beside the marker.
    int dark = 0;
    for (int x = 852; x < 916; ++x) {
      for (int y = row - 6; y <= row + 6; ++y) dark += picture.pixelColor(x, y).lightness() < 100;
    }
    EXPECT_GT(dark, 20);
  }
  window().marker_edges->setChecked(false);
  const int message_row = static_cast<int>(std::lround(MarkerYTwips(6900) / layout::kTwipsPerPixel));
  EXPECT_EQ(Picture().pixelColor(828, message_row - 2),
            appearance::ToQColor(appearance::kWindowColour));
}

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

TEST_F(MainWindowTest, TheTimeScaleMarksEachSecondLevelWithItsStrokes) {
  const QImage picture = Picture();
  const QColor tick = appearance::ToQColor(appearance::kAdditionLineColour);
  const int drawing_top = form().picTrace[0]->y() + layout::kTraceBorderPx;
  for (const int seconds : {0, 1, 7, 13}) {
    const int row = drawing_top + StrokeRow(seconds * 1000);
    EXPECT_EQ(picture.pixelColor(61, row), tick) << seconds;
    EXPECT_NE(picture.pixelColor(61, row + 1), tick) << seconds;
  }
  EXPECT_NE(picture.pixelColor(61, drawing_top + StrokeRow(14000)), tick);
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

TEST_F(MainWindowTest, FilesAreWrittenWholeOrNotAtAll) {
  Run("Circuit");
  const QString picture = dir_.filePath("form.png");
  ASSERT_TRUE(window().SavePicture(picture));
  EXPECT_EQ(QImage(picture).convertToFormat(QImage::Format_RGB32),
            Picture().convertToFormat(QImage::Format_RGB32));
  ASSERT_TRUE(window().ExportRunLog(dir_.filePath("run.jsonl")));
  QFile log(dir_.filePath("run.jsonl"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_EQ(log.readAll().toStdString(), window().classroom().RunLogText());
  ASSERT_TRUE(window().ExportResults(dir_.filePath("results.csv")));
  QFile csv(dir_.filePath("results.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_TRUE(csv.readAll().contains("\r\nCircuit,300,1,0.5,1,50,50,50,2,0,6375,6050.0,325.0,5,no\r\n"));

  const QString nowhere = dir_.filePath("missing/form.png");
  EXPECT_FALSE(window().SavePicture(nowhere));
  EXPECT_FALSE(QFile::exists(nowhere));
  ASSERT_NE(window().failure_box, nullptr);
  EXPECT_TRUE(window().failure_box->isVisible());
  EXPECT_TRUE(window().failure_box->text().contains("Nothing was saved: cannot write"));
  EXPECT_FALSE(window().ExportRunLog(dir_.filePath("missing/run.jsonl")));
  EXPECT_FALSE(window().ExportResults(dir_.path()));  // a folder
}

TEST_F(MainWindowTest, APictureWhosePathEndsInSvgIsTheFormsDrawing) {
  Run("Circuit");
  const QString svg = dir_.filePath("form.SVG");
  ASSERT_TRUE(window().SavePicture(svg));
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), SvgText(form().Picture()));
  const QString nowhere = dir_.filePath("missing/form.svg");
  EXPECT_FALSE(window().SavePicture(nowhere));
  EXPECT_FALSE(QFile::exists(nowhere));
  // A name typed without a suffix takes the type chosen in the dialog.
  EXPECT_EQ(WithFilterSuffix("a/form", "SVG pictures (*.svg)"), "a/form.svg");
  EXPECT_EQ(WithFilterSuffix("a/form.png", "SVG pictures (*.svg)"), "a/form.png");
}

// A disk that takes only part of a file: the system's reason, and no file.
TEST_F(MainWindowTest, AFileCutShortGivesTheSystemsReason) {
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  const rlimit small{4096, limit.rlim_max};
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const QString picture = dir_.filePath("form.png");
  const bool saved = window().SavePicture(picture);
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(saved);
  EXPECT_FALSE(QFile::exists(picture));
  ASSERT_NE(window().failure_box, nullptr);
  EXPECT_TRUE(window().failure_box->text().endsWith(QString::fromLocal8Bit(std::strerror(EFBIG)) + "."))
      << window().failure_box->text().toStdString();
}

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
  window().guide->trigger();
  ASSERT_NE(window().guide_dialog->text, nullptr);
  EXPECT_TRUE(window().guide_dialog->text->toPlainText().contains("= 6750 ms"));
  form().cmbBitRate[0]->setCurrentText("2.0");
  Run("Circuit");  // turns the rates red, to 0.5
  EXPECT_TRUE(window().guide_dialog->text->toPlainText().contains(
      "(15\u00b7100/2 + 5\u00b750) + (15\u00b7100/0.5 + 5\u00b750) + (15\u00b7100/1 + 5\u00b750)"));

  window().about->trigger();
  ASSERT_NE(window().about_box, nullptr);
  const QString about = window().about_box->text();
  EXPECT_TRUE(about.contains(QString::fromUtf8(kVersion.data(), static_cast<qsizetype>(kVersion.size()))));
  EXPECT_TRUE(about.contains("General Public License"));
  EXPECT_TRUE(about.contains(QString::fromLatin1(qVersion())));
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

TEST(StartOptions, PresetTheWindowAndRefuseWhatTheDriverRefuses) {
  const auto parse = [](const QStringList& args) { return ParseStartOptions(args); };
  const auto error = [&](const QStringList& args) {
    const auto parsed = parse(args);
    return std::holds_alternative<StartError>(parsed) ? std::get<StartError>(parsed).message : "";
  };
  EXPECT_EQ(error({"--size", "250"}),
            "--size: \"250\" is not a message size; use one of 100, 200, 300, 400, 500, 1000");
  EXPECT_EQ(error({"--speed=3"}), "--speed: \"3\" is not a speed; use one of 0.25, 0.5, 1, 2, 4");
  EXPECT_EQ(error({"--seed"}), "--seed: needs a value");
  EXPECT_EQ(error({"--start", "--start"}), "--start: given more than once");
  EXPECT_EQ(error({"-h", "--help"}), "--help: given more than once");
  EXPECT_EQ(error({"--start=1"}), "--start: takes no value, but was given \"1\"");
  for (const char* unknown : {"--json", "-x", "Packet", "--"}) {
    EXPECT_EQ(error({unknown}), "\"" + std::string(unknown) +
                                    "\" is not an option; see --help for --technique, --size, "
                                    "--rates, --delays, --packet, --header, --seed, --speed, --exercises, "
                                    "--predict, --ask, --tolerance, --question, --start, --zoom, "
                                    "--projector, --share, --users, --active, --user-rate, --link-rate, --burst, --slots, --queue, --intensity, "
      "--buffer, --packets, --version");
  }
  EXPECT_EQ(error({"--technique", "--start"}),
            "--technique: \"--start\" is not a technique; use one of Message, Circuit, Packet");

  const auto options = std::get<StartOptions>(parse(
      {"--technique=Circuit", "--size", "1000", "--rates", "2.5,1,10", "--delays", "20,50,200",
       "--seed", "9", "--speed", "0.25", "--packet", "7", "--header", "2", "--start"}));
  EXPECT_TRUE(options.start);
  QTemporaryDir dir;
  QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
  MainWindow window(settings, options);
  EXPECT_EQ(window.form().cmbMethod->currentText(), "Circuit");
  EXPECT_EQ(window.form().cmbMessageSize->currentText(), "1000");
  EXPECT_EQ(window.form().cmbBitRate[0]->currentText(), "2.5");
  EXPECT_EQ(window.form().cmbDelay[2]->currentText(), "200");
  EXPECT_EQ(window.status->speed->text(), "Speed \u00bc\u00d7");
  EXPECT_EQ(window.packet_bar->packet->value(), 7);
  EXPECT_EQ(window.packet_bar->header->value(), 2);
  window.start->trigger();
  EXPECT_EQ(window.classroom().CurrentRun()->seed, 9U);
  EXPECT_EQ(window.classroom().CurrentRun()->packeting, (Packeting{7, 2}));

  const SplitArguments split =
      SplitToolkitArguments({"switchsim", "-platform", "offscreen", "--start", "-reverse"});
  EXPECT_EQ(split.toolkit, QStringList({"switchsim", "-platform", "offscreen", "-reverse"}));
  EXPECT_EQ(split.own, QStringList({"--start"}));
}

}  // namespace
}  // namespace switchsim::testing
