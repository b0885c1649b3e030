#include "window/timing_dock.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QVBoxLayout>

#include "window/qt_text.h"
#include "records/timing_format.h"

namespace switchsim {
namespace {

inline constexpr int kFirstTimeColumn = 4;

}  // namespace

TimingDock::TimingDock(QWidget* parent) : QDockWidget(QStringLiteral("Timing"), parent) {
  setObjectName(QStringLiteral("timingDock"));
  auto* contents = new QWidget(this);
  contents->setAccessibleName(QStringLiteral("Timing"));
  table = new QTableWidget(0, static_cast<int>(kTimingColumns), contents);
  QStringList headings;
  for (const std::string_view heading : kTimingHeadings) headings << ToQString(heading);
  table->setHorizontalHeaderLabels(headings);
  table->setAccessibleName(QStringLiteral("Timing of the current run, one row a crossing of a link"));
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->setTabKeyNavigation(false);  // Tab goes on to the buttons
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

  copy_text = new QPushButton(QStringLiteral("Copy as &Text"), contents);
  export_csv = new QPushButton(QStringLiteral("E&xport CSV\u2026"), contents);
  for (QPushButton* button : {copy_text, export_csv}) button->setAutoDefault(false);
  hidden_note = new QLabel(QStringLiteral("The timing shows once the exercise's answer is taken."), contents);
  hidden_note->setTextFormat(Qt::PlainText);
  hidden_note->setWordWrap(true);
  hidden_note->hide();
  connect(copy_text, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(ToQString(TimingText(shown_))); });
  connect(export_csv, &QPushButton::clicked, this, &TimingDock::ExportRequested);
  auto* hide_key = new QShortcut(QKeySequence(Qt::Key_Escape), contents);
  hide_key->setContext(Qt::WidgetWithChildrenShortcut);
  connect(hide_key, &QShortcut::activated, this, &QWidget::hide);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copy_text);
  buttons->addWidget(export_csv);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(contents);
  layout->addWidget(table);
  layout->addWidget(hidden_note);
  layout->addLayout(buttons);
  setWidget(contents);
  ShowRows({});
}

void TimingDock::ShowRows(const std::vector<Crossing>& rows) {
  // Only the cells that changed are written, so that a screen reader is not
  // told of the whole table at every refresh.
  table->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const bool fresh = r >= shown_.size();
    if (!fresh && rows[r] == shown_[r]) continue;
    const auto cells = TimingCells(rows[r]);
    const auto before = fresh ? decltype(cells){} : TimingCells(shown_[r]);
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (!fresh && cells[c] == before[c]) continue;
      auto* item = new QTableWidgetItem(ToQString(cells[c]));
      if (c == 0 || c >= kFirstTimeColumn) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  shown_ = rows;
  if (table->currentRow() < 0 && !rows.empty()) table->setCurrentCell(0, 0);
  EnableButtons();
}

void TimingDock::SetReadoutsHidden(bool hidden) {
  hidden_ = hidden;
  table->setVisible(!hidden);
  hidden_note->setVisible(hidden);
  EnableButtons();
}

void TimingDock::EnableButtons() {
  const bool any = !shown_.empty() && !hidden_;
  copy_text->setEnabled(any);
  export_csv->setEnabled(any);
}

}  // namespace switchsim
