#pragma once

#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <vector>

#include "records/timing_table.h"
#include "window/timing_model.h"

namespace switchsim {

/// The timing table of the current run beside the form, in a dock of the
/// main window (it may float): one row a crossing of a link, with buttons
/// to copy it as text and to export it as CSV (which the main window
/// carries out). Tab leaves the table for the buttons; the arrows move
/// through its cells; Escape hides the dock.
class TimingDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit TimingDock(QWidget* parent = nullptr);

  /// Shows `rows` through the model, which tells the table of the rows
  /// added and the cells changed only, so that the keys stay where they are.
  void ShowRows(const std::vector<Crossing>& rows);

  /// While an exercise waits for its answer the table is hidden, with a
  /// line saying that the timing shows after the answer.
  void SetReadoutsHidden(bool hidden);

  QTableView* table = nullptr;  ///< shows the model below
  TimingModel* model = nullptr;
  QPushButton* copy_text = nullptr;
  QPushButton* export_csv = nullptr;
  QLabel* hidden_note = nullptr;  ///< shown instead of the table while readouts are hidden

 signals:
  /// The user asked to export the table as CSV.
  void ExportRequested();

 private:
  void EnableButtons();

  bool hidden_ = false;
};

}  // namespace switchsim
