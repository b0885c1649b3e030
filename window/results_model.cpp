#include "window/results_model.h"

#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {
namespace {

// The columns of numbers: size, the rates and delays, and the times.
bool RightAligned(int column) { return column >= 4 && column <= 9; }

}  // namespace

void ResultsModel::SetResults(const std::vector<RunResult>& results) {
  if (results.size() < results_.size()) {
    beginResetModel();
    results_ = results;
    endResetModel();
    return;
  }
  const auto added = static_cast<int>(results.size() - results_.size());
  if (added == 0) return;
  beginInsertRows({}, 0, added - 1);
  results_ = results;
  endInsertRows();
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(results_.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kResultColumns);
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole && RightAligned(index.column())) {
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  }
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  return ToQString(ResultCells(results_[static_cast<std::size_t>(index.row())])[static_cast<std::size_t>(index.column())]);
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= static_cast<int>(kResultColumns)) {
    return {};
  }
  return ToQString(Tr(kResultHeadings[static_cast<std::size_t>(section)]));
}

}  // namespace switchsim
