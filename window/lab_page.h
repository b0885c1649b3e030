#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QString>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "labs/lab_session.h"
#include "options/option_table.h"
#include "window/drawing_view.h"
#include "window/lab_curve_pane.h"
#include "window/labelled_lines.h"

namespace switchsim {

/// One lab as the Labs window shows it: its boxes, each with its label and
/// help, taking its text when editing finishes or on Enter; a Run button
/// (Enter in a box runs too); the run's progress, made a slice at a time
/// between events; then two tabs: the run's figures, its picture, which
/// scrolls when larger than the page, and its link and JSON; and the lab's
/// curve around the setting. The status line says the lab's notices, and
/// what the page did, and is what a screen reader hears. While a question
/// waits, the page says so instead of the figures, the picture and the
/// curve. Every rule is the LabSession's; the page shows what it says.
class LabPage : public QWidget {
  Q_OBJECT

 public:
  explicit LabPage(LabKind kind, QWidget* parent = nullptr);

  const LabSession& session() const { return session_; }

  /// Takes the lab's values and seed of `request` (a command line's), shows
  /// them in the boxes and runs them.
  void Apply(const RunRequest& request);
  /// Takes every box's text, then starts a run of the setting in slices,
  /// ending any run before it; or says why it cannot.
  void Run();
  /// Takes every box's text, then starts the curve of the Curve tab's range
  /// and seeds, ending any curve before it; or says why it cannot.
  void DrawCurve();
  /// Stops making slices, leaving the run and the curve where they are (the window closes).
  void Pause();
  /// Goes on with a run or a curve left unfinished by Pause.
  void Resume();
  /// Holds the lab while a question waits (`held`), or lets it show again.
  void SetHeld(bool held);
  /// Puts the link's query ("?share=1&users=...") on the clipboard and says so.
  void CopyLink();
  /// Writes the finished run's JSON to `path`, whole or not at all, and says
  /// which; true when saved.
  bool SaveJson(const QString& path);

  std::vector<QLineEdit*> boxes;  ///< as LabSession::Fields lists them
  QPushButton* run = nullptr;
  QProgressBar* progress = nullptr;
  QLabel* status = nullptr;  ///< the last notice; its text is its accessible name
  QLabel* held_note = nullptr;  ///< shown while a question waits
  QTabWidget* views = nullptr;  ///< "Run" and "Curve"
  QScrollArea* picture_area = nullptr;
  DrawingView* picture = nullptr;
  LabelledLines* figures = nullptr;
  QPushButton* copy_link = nullptr;
  QPushButton* save_json = nullptr;
  LabCurvePane* curve = nullptr;

 private:
  void CreateControls();
  void LayOut();
  QWidget* RunView();
  void Connect();
  bool Take(std::size_t box);
  bool TakeAll();
  void Slice();
  void ShowFields();
  void ShowRun();
  void ShowNotice();
  void ShowHeld();
  void Say(const QString& text);

  LabSession session_;
  QTimer slices_;
  int notices_shown_ = 0;
};

}  // namespace switchsim
