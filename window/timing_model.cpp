#include "window/timing_model.h"

#include "records/timing_format.h"
#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {
namespace {

inline constexpr int kFirstTimeColumn = 4;

}  // namespace

void TimingModel::SetRows(const std::vector<Crossing>& rows) {
  if (rows.size() < rows_.size()) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
    return;
  }
  const std::size_t kept = rows_.size();
  for (std::size_t r = 0; r < kept; ++r) {
    if (rows[r] == rows_[r]) continue;
    const auto before = TimingCells(rows_[r]);
    const auto after = TimingCells(rows[r]);
    rows_[r] = rows[r];
    for (std::size_t c = 0; c < after.size(); ++c) {
      if (before[c] == after[c]) continue;
      const QModelIndex cell = index(static_cast<int>(r), static_cast<int>(c));
      emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
  }
  if (rows.size() == kept) return;
  beginInsertRows({}, static_cast<int>(kept), static_cast<int>(rows.size()) - 1);
  rows_.insert(rows_.end(), rows.begin() + static_cast<std::ptrdiff_t>(kept), rows.end());
  endInsertRows();
}

int TimingModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TimingModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kTimingColumns);
}

QVariant TimingModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole && (index.column() == 0 || index.column() >= kFirstTimeColumn)) {
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  }
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  return ToQString(TimingCells(rows_[static_cast<std::size_t>(index.row())])[static_cast<std::size_t>(index.column())]);
}

QVariant TimingModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= static_cast<int>(kTimingColumns)) {
    return {};
  }
  return ToQString(Tr(kTimingHeadings[static_cast<std::size_t>(section)]));
}

}  // namespace switchsim
