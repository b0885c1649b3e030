#include "window/main_window.h"

#include <QCloseEvent>
#include <QEvent>
#include <QMenuBar>
#include <algorithm>

#include "form/captions.h"
#include "form/choose_boxes.h"
#include "exercises/exercise_course.h"
#include "options/exercise_link.h"
#include "window/file_saving.h"
#include "window/qt_text.h"
#include "options/sheet_address.h"
#include "pictures/svg_writer.h"
#include "records/timing_format.h"
#include "window/window_memory.h"
#include "window/window_placing.h"
#include "window/ui_text.h"

namespace switchsim {
namespace {

// Where the View menu's choices are remembered.
const QString kTimeScaleKey = QStringLiteral("view/timeScale");
const QString kMarkerLabelsKey = QStringLiteral("view/markerLabels");
const QString kMarkerEdgesKey = QStringLiteral("view/markerEdges");
const QString kBareFormKey = QStringLiteral("view/bareForm");
const QString kPacketBarKey = QStringLiteral("view/packetBar");

QAction* AddAction(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                   const QString& tip) {
  QAction* action = menu->addAction(text);
  action->setShortcut(shortcut);
  action->setStatusTip(tip);
  action->setToolTip(tip);
  return action;
}

QAction* AddToggle(QMenu* menu, const QString& text, QSettings& settings, const QString& key,
                   bool fallback, const QString& tip) {
  QAction* action = AddAction(menu, text, QKeySequence(), tip);
  action->setCheckable(true);
  action->setChecked(settings.value(key, fallback).toBool());
  return action;
}

}  // namespace

MainWindow::MainWindow(QSettings& settings, const StartOptions& options, QWidget* parent)
    : QMainWindow(parent), settings_(settings) {
  setWindowTitle(ToQString(captions::WindowTitle()));
  form_ = new Form1(options.Seed().value_or(0), this);
  view_ = new FormView(form_, this);
  setCentralWidget(view_);
  classroom_ = std::make_unique<Classroom>(form_->logic(), form_->random(), options.Seed());
  ChooseGivenBoxes(form_->logic(), options);
  flow_ = std::make_unique<ExerciseFlow>(*classroom_);
  packet_bar = new PacketBar(*classroom_, form_->logic().simulation(), this);
  addToolBar(Qt::TopToolBarArea, packet_bar);
  connect(packet_bar, &PacketBar::Chosen, this, [this] { Refresh(false); });

  results_window_ = new ResultsWindow(this);
  connect(results_window_, &ResultsWindow::ExportRequested, this, [this] {
    SaveWithDialog(Ui("Export Results"), QStringLiteral("switchsim-results.csv"),
                   QStringLiteral("CSV (*.csv)"), &MainWindow::ExportResults);
  });

  CreateTimingDock();
  exercises = new ExerciseSets(*flow_, settings_, *this);
  connect(exercises, &ExerciseSets::Changed, this, [this] { Refresh(false); });
  CreateFileMenu();
  CreateRunMenu(options);
  CreateViewMenu(options);
  help_menu = new HelpMenu(*menuBar(), *this, form_->logic(), *classroom_);
  CreateStatusBar();
  ApplyView();
  // At first the window is the form with its bars, as far as the screen holds it.
  window_memory::Restore(*this, settings_, sizeHint());
  panels = new SidePanels(*this, *view_);
  panels->Add(*timing_dock_);
  panels->Add(*exercises->dock);

  connect(form_, &Form1::TicksRan, this, [this] { Refresh(true); });
  connect(form_, &Form1::UserActed, this, [this] { Refresh(false); });
  Refresh(false);
  form_->cmbMessageSize->setFocus();
  CentreOnScreen(*this);  // before any box a set may open over it
  if (const ExerciseSheet* course = options.exercises ? BuiltInCourseNamed(*options.exercises) : nullptr) {
    exercises->Open(*course);
  } else if (options.exercises) {
    exercises->OpenFile(QString::fromStdString(*options.exercises));
  } else if (auto sheet = SheetOfRequest(options)) {
    exercises->Open(std::move(*sheet));
  }
  panels->MakeRoom();
  CentreOnScreen(*this);
  if (window_memory::Maximised(settings_)) setWindowState(windowState() | Qt::WindowMaximized);
}

MainWindow::~MainWindow() {
  // Closing moves the focus, which ends a rate's editing in the form; the
  // form outlives the classroom, so it must not reach this window any more.
  disconnect(form_, nullptr, this, nullptr);
  // Closing hides the docks, whose panels would make room in a window that is
  // no longer one.
  delete panels;
  panels = nullptr;
}

void MainWindow::CreateFileMenu() {
  QMenu* menu = menuBar()->addMenu(Ui("&File"));
  save_picture = AddAction(menu, Ui("&Save Picture…"), QKeySequence::Save,
                           Ui("Saves the form as it shows now as a PNG or SVG picture"));
  export_run_log =
      AddAction(menu, Ui("Export Run &Log…"), QKeySequence(),
                Ui("Saves every step of the current run as JSON Lines, as "
                               "switchsim-trace --json writes them"));
  export_results = AddAction(menu, Ui("Export &Results…"), QKeySequence(),
                             Ui("Saves the results of the runs as CSV"));
  menu->addSeparator();
  quit = AddAction(menu, Ui("&Quit"), QKeySequence::Quit,
                   Ui("Closes switchsim"));
  connect(save_picture, &QAction::triggered, this, [this] {
    SaveWithDialog(Ui("Save Picture"), QStringLiteral("switchsim.png"),
                   Ui("PNG pictures (*.png);;SVG pictures (*.svg)"),
                   &MainWindow::SavePicture);
  });
  connect(export_run_log, &QAction::triggered, this, [this] {
    SaveWithDialog(Ui("Export Run Log"), QStringLiteral("switchsim-run.jsonl"),
                   Ui("JSON Lines (*.jsonl)"), &MainWindow::ExportRunLog);
  });
  export_results->setEnabled(false);
  connect(export_results, &QAction::triggered, results_window_, &ResultsWindow::ExportRequested);
  connect(quit, &QAction::triggered, this, &QWidget::close);
  exercises->AddActions(*menu, quit);
}

void MainWindow::CreateRunMenu(const StartOptions& options) {
  QMenu* menu = menuBar()->addMenu(Ui("&Run"));
  // Function keys and Ctrl with a sign: keys that typing a rate never uses.
  start = AddAction(menu, QString(), QKeySequence(Qt::Key_F5),
                    Ui("Starts a run, or resets it: what the first button does"));
  pause = AddAction(menu, QString(), QKeySequence(Qt::Key_F6),
                    Ui("Pauses or continues the run: what the second button does"));
  step = AddAction(menu, Ui("S&tep"), QKeySequence(Qt::Key_F7),
                   Ui("Runs one tick, 25 ms of clock, while the run is paused"));
  connect(start, &QAction::triggered, form_->cmdStart[0], &QPushButton::click);
  connect(pause, &QAction::triggered, form_->cmdStart[1], &QPushButton::click);
  read_clock = AddAction(menu, Ui("&Read Clock"), QKeySequence(Qt::Key_F9),
                         Ui("Says the clock and the run's state in the status bar"));
  connect(step, &QAction::triggered, this, [this] {
    classroom_->Step();
    Refresh(false);
  });
  connect(read_clock, &QAction::triggered, this, [this] {
    classroom_->SayClock();
    Refresh(false);
  });

  menu->addSeparator();
  speed_menu = new SpeedMenu(*menu, settings_, options, *form_);
  connect(speed_menu, &SpeedMenu::Changed, this, [this] { Refresh(false); });
}

void MainWindow::CreateViewMenu(const StartOptions& options) {
  QMenu* menu = menuBar()->addMenu(Ui("&View"));
  time_scale = AddToggle(menu, Ui("&Time Scale"), settings_, kTimeScaleKey, true,
                         Ui("Marks every second of clock left of the first trace"));
  marker_labels =
      AddToggle(menu, Ui("Marker &Labels"), settings_, kMarkerLabelsKey, true,
                Ui("Names each marker's technique and completion time"));
  marker_edges = AddToggle(menu, Ui("Marker &Edges"), settings_, kMarkerEdgesKey, true,
                           Ui("Draws a thin dark edge around each marker, so that a "
                                          "pale one shows"));
  menu->addSeparator();
  bare_form = AddToggle(menu, Ui("&Bare Form"), settings_, kBareFormKey, false,
                        Ui("Shows the form alone, without any of the above"));
  bare_form->setShortcut(QKeySequence(Qt::Key_F8));
  QAction* packet_sizes = packet_bar->toggleViewAction();
  packet_sizes->setText(Ui("&Packet and Header Bar"));
  packet_sizes->setStatusTip(Ui("Shows the bar of the packet and header size above the form"));
  packet_bar->setVisible(settings_.value(kPacketBarKey, true).toBool());
  connect(packet_sizes, &QAction::toggled, this, [this](bool on) { settings_.setValue(kPacketBarKey, on); });
  menu->addAction(packet_sizes);
  menu->addSeparator();
  zoom_menu = new ZoomMenu(*menu, settings_, options, *view_, *this);
  menu->addSeparator();
  show_results = AddAction(menu, Ui("&Results…"), QKeySequence(Qt::CTRL | Qt::Key_R),
                           Ui("Shows the table of the runs that delivered their data"));
  show_explore = AddAction(menu, Ui("E&xplore…"), QKeySequence(Qt::Key_F4),
                           Ui("Draws the completion time of the three techniques against one parameter"));
  connect(show_explore, &QAction::triggered, this, [this] {
    if (explore_window_ == nullptr) {
      explore_window_ = new ExploreWindow([this] { return ChosenParameters(form_->logic(), 0); },
                                          [this](const RunParameters& p) { return StartRunOf(p); }, this);
      explore_window_->SetPresentation(form_->presentation());
      connect(form_, &Form1::PresentationChanged, explore_window_, &ExploreWindow::SetPresentation);
    }
    explore_window_->SetReadoutsHidden(!shown_.curves);
    explore_window_->show();
    explore_window_->raise();
    explore_window_->activateWindow();
  });
  labs_menu = new LabsMenu(*menu, *this, *form_, options);
  menu->addSeparator();
  language_menu = new LanguageMenu(*menu, settings_, *this);
  const std::array<std::pair<QAction*, QString>, 4> toggles = {{{time_scale, kTimeScaleKey},
                                                                {marker_labels, kMarkerLabelsKey},
                                                                {marker_edges, kMarkerEdgesKey},
                                                                {bare_form, kBareFormKey}}};
  for (const auto& [action, key] : toggles) {
    connect(action, &QAction::toggled, this, [this, key = key](bool on) {
      settings_.setValue(key, on);
      ApplyView();
    });
  }
  show_timing = timing_dock_->toggleViewAction();
  show_timing->setText(Ui("T&iming"));
  show_timing->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  show_timing->setStatusTip(Ui("Shows beside the form when each unit's first and last bit left and arrived on each link"));
  menu->addAction(show_timing);
  menu->addAction(exercises->dock->toggleViewAction());
  connect(show_timing, &QAction::triggered, this, [this](bool shown) {
    if (shown) timing_dock_->table->setFocus();
  });
  connect(show_results, &QAction::triggered, this, [this] {
    results_window_->show();
    results_window_->raise();
    results_window_->activateWindow();
  });
}

std::optional<std::string> MainWindow::StartRunOf(const RunParameters& parameters) {
  auto refusal = classroom_->StartRun(parameters);
  Refresh(false);
  if (!refusal) {
    raise();
    activateWindow();
  }
  return refusal;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  window_memory::Keep(*this, settings_);
  QMainWindow::closeEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && zoom_menu != nullptr) {
    zoom_menu->FollowWindowState();
  }
}

void MainWindow::CreateStatusBar() {
  status = new StatusBar(this);
  setStatusBar(status);
}

void MainWindow::CreateTimingDock() {
  timing_dock_ = new TimingDock(this);
  addDockWidget(Qt::RightDockWidgetArea, timing_dock_);
  timing_dock_->hide();
  connect(timing_dock_, &TimingDock::ExportRequested, this, [this] {
    SaveWithDialog(Ui("Export Timing"), QStringLiteral("switchsim-timing.csv"),
                   QStringLiteral("CSV (*.csv)"), &MainWindow::ExportTiming);
  });
  connect(timing_dock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) ShowTiming();
  });
}

void MainWindow::ShowTiming() {
  timing_shown_ = classroom_->TimingRevision();
  timing_dock_->ShowRows(classroom_->TimingRows());
}

void MainWindow::ApplyView() {
  const bool bare = bare_form->isChecked();
  for (QAction* action : {time_scale, marker_labels, marker_edges}) action->setEnabled(!bare);
  Additions additions;
  if (!bare) {
    // The labels tell the times an exercise asks for.
    additions = {time_scale->isChecked(), marker_labels->isChecked() && classroom_->Shown().marker_labels,
                 marker_edges->isChecked()};
  }
  form_->SetAdditions(additions);
  form_->focus_ring->SetOn(!bare);
}

void MainWindow::Refresh(bool after_ticks) {
  // A tick changes only the clock, and now and then the notice, the results,
  // the state and whether a step is possible; the rest follows the user.
  flow_->AfterTick();
  exercises->Follow();
  if (classroom_->Shown() != shown_) ApplyReadouts();
  const FormLogic& logic = form_->logic();
  if (!after_ticks) {
    help_menu->Follow();
    start->setText(ToQString(Tr(logic.Caption(0))));
    pause->setText(ToQString(Tr(logic.Caption(1))));
    export_run_log->setEnabled(classroom_->CurrentRun().has_value() && shown_.run_log);
    packet_bar->ShowSizes();  // a run started from Explore may bring other sizes
  }
  const RunPhase now = classroom_->Phase();
  if (!after_ticks || now != phase_shown_) {
    phase_shown_ = now;
    step->setEnabled(classroom_->CanStep());
  }
  status->Refresh(*classroom_, ToQString(SpeedName(form_->Speed())), after_ticks);
  NameMarkers();
  if (timing_dock_->isVisible() && classroom_->TimingRevision() != timing_shown_) ShowTiming();
  if (classroom_->Results().size() != results_shown_) {
    results_shown_ = classroom_->Results().size();
    results_window_->ShowResults(classroom_->Results());
    export_results->setEnabled(results_shown_ > 0 && shown_.results);
  }
}

void MainWindow::ApplyReadouts() {
  shown_ = classroom_->Shown();
  ApplyView();
  results_window_->SetReadoutsHidden(!shown_.results);
  export_results->setEnabled(results_shown_ > 0 && shown_.results);
  export_run_log->setEnabled(classroom_->CurrentRun().has_value() && shown_.run_log);
  timing_dock_->SetReadoutsHidden(!shown_.timing);
  if (explore_window_ != nullptr) explore_window_->SetReadoutsHidden(!shown_.curves);
  // What holds Start holds the labs; HoldsStart itself would also say the held Start's notice.
  labs_menu->SetHeld(classroom_->ReadoutsHidden());
  help_menu->Follow();
}

void MainWindow::NameMarkers() {
  // A marker's text changes only when it moves, hides, or its run's data has all arrived.
  const auto& placed = form_->logic().Markers();
  const bool same = std::equal(placed.begin(), placed.end(), markers_named_.begin(),
                               [](const MarkerState& a, const MarkerState& b) {
                                 return a.visible == b.visible && a.clock_ms == b.clock_ms;
                               });
  if (same && notices_named_ == classroom_->NoticeCount()) return;
  markers_named_ = placed;
  notices_named_ = classroom_->NoticeCount();
  const std::array<std::pair<LineShape*, Marker>, kTechniqueCount> markers = {
      {{form_->lneMessage, Marker::Message},
       {form_->lneCircuit, Marker::Circuit},
       {form_->lnePacket, Marker::Packet}}};
  for (const auto& [line, marker] : markers) {
    const QString text = ToQString(classroom_->MarkerText(marker));
    if (line->accessibleName() != text) line->setAccessibleName(text);
  }
}

bool MainWindow::SavePicture(const QString& path) {
  if (IsSvgPath(path)) {
    // Drawn from the form's own layout, at its own size, without the focus ring.
    const auto error = SaveWhole(path, QByteArray::fromStdString(SvgText(form_->Picture())));
    if (error) ShowFailure(*error);
    return !error;
  }
  // The picture is of the form, not of where the keys go.
  const bool ring = form_->focus_ring->IsOn();
  form_->focus_ring->SetOn(false);
  const QByteArray png = PngOf(*form_);
  form_->focus_ring->SetOn(ring);
  if (png.isEmpty()) {
    ShowFailure(Ui("cannot make a PNG of the form"));
    return false;
  }
  if (const auto error = SaveWhole(path, png)) {
    ShowFailure(*error);
    return false;
  }
  return true;
}

bool MainWindow::ExportRunLog(const QString& path) {
  return SaveText(path, classroom_->RunLogText());
}

bool MainWindow::ExportResults(const QString& path) {
  return SaveText(path, ResultsCsv(classroom_->Results()));
}

bool MainWindow::ExportTiming(const QString& path) {
  return SaveText(path, TimingCsv(classroom_->TimingRows()));
}

bool MainWindow::SaveText(const QString& path, const std::string& text) {
  if (const auto error = SaveWhole(path, QByteArray::fromStdString(text))) {
    ShowFailure(*error);
    return false;
  }
  return true;
}

void MainWindow::ShowFailure(const QString& what) {
  if (failure_box != nullptr) failure_box->close();
  failure_box = new QMessageBox(QMessageBox::Critical, QStringLiteral("switchsim"),
                                Filled(Ui("Nothing was saved: {0}."), {what}), QMessageBox::Ok, this);
  failure_box->setAttribute(Qt::WA_DeleteOnClose);
  failure_box->open();
}

void MainWindow::SaveWithDialog(const QString& title, const QString& name, const QString& filter,
                                bool (MainWindow::*save)(const QString&)) {
  const QString path = AskSavePath(this, title, name, filter);
  if (!path.isEmpty()) (this->*save)(path);
}

}  // namespace switchsim
