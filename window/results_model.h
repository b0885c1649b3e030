#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "records/results_format.h"

namespace switchsim {

/// The runs that delivered their data as a table for a view: a row a run,
/// newest first, the columns of the results (ResultCells), numbers right
/// aligned. Runs only ever come at the front, and the view is told of just
/// those rows, so that its choice of a row and its keys stay.
class ResultsModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  /// Shows `results`, newest first: those not yet shown are inserted on top.
  void SetResults(const std::vector<RunResult>& results);
  const std::vector<RunResult>& Results() const { return results_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<RunResult> results_;
};

}  // namespace switchsim
