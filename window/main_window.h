#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <array>
#include <memory>

#include "classroom/classroom.h"
#include "exercises/exercise_flow.h"
#include "window/exercise_sets.h"
#include "window/explore_window.h"
#include "window/form1.h"
#include "window/form_view.h"
#include "window/help_menu.h"
#include "window/labs_menu.h"
#include "window/language_menu.h"
#include "window/packet_bar.h"
#include "window/results_window.h"
#include "window/side_panels.h"
#include "window/speed_menu.h"
#include "window/start_options.h"
#include "window/status_bar.h"
#include "window/timing_dock.h"
#include "window/zoom_menu.h"

namespace switchsim {

/// The program's window: the form in the middle, exactly as it is on its
/// own (or larger, or smaller, at the zoom chosen), with a menu bar above it
/// and a status bar below it. The menus add
/// what a teacher needs around the form: the run buttons' actions with
/// keyboard shortcuts, a step of one tick, the speed, the additions in the
/// form's margins, the zoom and the projector's view (remembered in
/// `settings`), full screen, the results of the runs, the current run's
/// timing table beside the form, saving the picture, the run log, the
/// results and the timing, and a guide to reading
/// the picture. What any of it means lives in the form's classroom; this
/// class shows it and forwards the user's choices.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  /// Builds the window: chooses the boxes the options name in the form as a
  /// user would, seeds the first run with the options' seed (or a fresh one), and
  /// sets their speed. `settings` is borrowed and must outlive the window.
  MainWindow(QSettings& settings, const StartOptions& options, QWidget* parent = nullptr);
  ~MainWindow() override;

  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  Form1& form() { return *form_; }
  Classroom& classroom() { return *classroom_; }
  ResultsWindow& results() { return *results_window_; }
  /// The Explore window, made when first shown; null before.
  ExploreWindow* explore() { return explore_window_; }
  /// Starts `parameters` in the form with its seed (Classroom::StartRun) and
  /// brings the window forward; or returns why the form cannot run it.
  std::optional<std::string> StartRunOf(const RunParameters& parameters);
  TimingDock& timing() { return *timing_dock_; }
  /// The exercises asked in the window; a refresh follows each of its steps.
  ExerciseFlow& flow() { return *flow_; }

  /// Writes the form, as it shows now, as a PNG, or as an SVG of the form's
  /// drawing (Form1::Picture) when the path ends in ".svg"; the run log of the
  /// current run as JSON Lines; the results, and the current run's timing
  /// table, as CSV. Each writes the whole file or
  /// nothing, and a failure is shown in a message box; true on success.
  bool SavePicture(const QString& path);
  bool ExportRunLog(const QString& path);
  bool ExportResults(const QString& path);
  bool ExportTiming(const QString& path);
  /// Brings the status bar and the menus up to date; `after_ticks` lets the
  /// clock wait for its next refresh while a run goes on.
  void Refresh(bool after_ticks);
  /// Gives each marker its completion as its accessible name.
  void NameMarkers();

  // The menus' actions.
  QAction* save_picture = nullptr;
  QAction* export_run_log = nullptr;
  QAction* export_results = nullptr;
  QAction* quit = nullptr;
  QAction* start = nullptr;  ///< does what cmdStart(0) does; "Start" or "Reset"
  QAction* pause = nullptr;  ///< does what cmdStart(1) does; "Pause" or "Cont"
  QAction* step = nullptr;
  QAction* read_clock = nullptr;  ///< says the clock and the run's state as a notice
  SpeedMenu* speed_menu = nullptr;  ///< the speeds, Slower and Faster
  QAction* time_scale = nullptr;
  QAction* marker_labels = nullptr;
  QAction* marker_edges = nullptr;
  QAction* bare_form = nullptr;  ///< the form alone: every addition off
  ZoomMenu* zoom_menu = nullptr;  ///< the zoom, full screen and the projector
  LabsMenu* labs_menu = nullptr;  ///< the labs' items, and the Labs window they open
  LanguageMenu* language_menu = nullptr;  ///< the languages, remembered for the next start
  PacketBar* packet_bar = nullptr;  ///< the packet and header size, above the form
  QAction* show_results = nullptr;
  QAction* show_explore = nullptr;
  QAction* show_timing = nullptr;  ///< shows or hides the timing table beside the form
  HelpMenu* help_menu = nullptr;  ///< the guide to reading the picture, and About

  StatusBar* status = nullptr;
  ExerciseSets* exercises = nullptr;  ///< the sets of exercises, their menu items and panel
  SidePanels* panels = nullptr;       ///< the exercise panel and the timing table beside the form

  /// The failure to save, once shown.
  QPointer<QMessageBox> failure_box;

 protected:
  void changeEvent(QEvent* event) override;
  /// Remembers the window's size and whether it is maximised.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateFileMenu();
  void CreateRunMenu(const StartOptions& options);
  void CreateViewMenu(const StartOptions& options);
  void CreateStatusBar();
  void CreateTimingDock();
  void ShowTiming();
  bool SaveText(const QString& path, const std::string& text);
  void ApplyView();
  void ShowFailure(const QString& what);
  void SaveWithDialog(const QString& title, const QString& name, const QString& filter,
                      bool (MainWindow::*save)(const QString&));
  void ApplyReadouts();

  QSettings& settings_;
  Form1* form_ = nullptr;
  FormView* view_ = nullptr;
  std::unique_ptr<Classroom> classroom_;
  std::unique_ptr<ExerciseFlow> flow_;  // asks through the classroom; goes before it
  Readouts shown_;                       // the readouts as the other windows show them
  ResultsWindow* results_window_ = nullptr;
  ExploreWindow* explore_window_ = nullptr;
  std::array<MarkerState, kTechniqueCount> markers_named_{};  // the markers as their names last told
  int notices_named_ = -1;
  RunPhase phase_shown_ = RunPhase::Ready;
  std::size_t results_shown_ = 0;
  TimingDock* timing_dock_ = nullptr;
  std::uint64_t timing_shown_ = 0;  // the timing rows' revision the dock shows
};

}  // namespace switchsim
