#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <vector>

#include "classroom/classroom.h"
#include "window/results_model.h"

namespace switchsim {

/// The table of the runs that delivered their data, newest first, in a
/// dialog of its own over the main window (it leaves the window usable),
/// with buttons to copy it as text, to copy the driver's command line of the
/// chosen run, to export it as CSV (which the main window carries out) and
/// to close it. Tab leaves the table for the buttons; Up and Down choose a
/// row; Escape and Ctrl+W close the dialog.
class ResultsWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ResultsWindow(QWidget* parent = nullptr);

  /// Shows `results`, newest first, which only ever grow at the front: the
  /// runs not yet shown are put on top, and a row stays chosen.
  void ShowResults(const std::vector<RunResult>& results);
  /// While an exercise waits for its answer the table is hidden, with a
  /// line saying that the results show after the answer.
  void SetReadoutsHidden(bool hidden);
  /// The run chosen in the table, or the newest; null when there is none.
  const RunResult* ChosenRun() const;

  QTableView* table = nullptr;  ///< shows the model below
  ResultsModel* model = nullptr;
  QPushButton* copy_text = nullptr;
  QPushButton* copy_command = nullptr;
  QPushButton* export_csv = nullptr;
  QPushButton* close = nullptr;
  QLabel* hidden_note = nullptr;  ///< shown instead of the table while readouts are hidden

 signals:
  /// The user asked to export the results as CSV.
  void ExportRequested();

 private:
  void CopyText();
  void CopyCommand();

  void EnableButtons();

  bool hidden_ = false;
};

}  // namespace switchsim
