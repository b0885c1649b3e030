#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "records/timing_table.h"

namespace switchsim {

/// The current run's timing as a table for a view: a row a crossing of a
/// link (TimingCells), the record and the times right aligned. As the run
/// goes, rows are added and cells filled in; the view is told of just the
/// rows added and the cells that changed, so that its keys stay where they
/// are and a screen reader is not told of the whole table at every tick.
class TimingModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  /// Shows `rows`: a new run's (fewer than shown) afresh, otherwise the
  /// rows added and the cells changed since the last call.
  void SetRows(const std::vector<Crossing>& rows);
  const std::vector<Crossing>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<Crossing> rows_;
};

}  // namespace switchsim
