#include "window/timing_dock.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QVBoxLayout>

#include "window/qt_text.h"
#include "records/timing_format.h"
#include "window/ui_text.h"

namespace switchsim {

TimingDock::TimingDock(QWidget* parent) : QDockWidget(Ui("Timing"), parent) {
  setObjectName(QStringLiteral("timingDock"));
  auto* contents = new QWidget(this);
  contents->setAccessibleName(Ui("Timing"));
  model = new TimingModel(this);
  table = new QTableView(contents);
  table->setModel(model);
  table->setAccessibleName(Ui("Timing of the current run, one row a crossing of a link"));
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->setTabKeyNavigation(false);  // Tab goes on to the buttons
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

  copy_text = new QPushButton(Ui("Copy as &Text"), contents);
  export_csv = new QPushButton(Ui("E&xport CSV…"), contents);
  for (QPushButton* button : {copy_text, export_csv}) button->setAutoDefault(false);
  hidden_note = new QLabel(Ui("The timing shows once the exercise's answer is taken."), contents);
  hidden_note->setTextFormat(Qt::PlainText);
  hidden_note->setWordWrap(true);
  hidden_note->hide();
  connect(copy_text, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(ToQString(TimingText(model->Rows()))); });
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
  model->SetRows(rows);
  if (!table->currentIndex().isValid() && !rows.empty()) table->setCurrentIndex(model->index(0, 0));
  EnableButtons();
}

void TimingDock::SetReadoutsHidden(bool hidden) {
  hidden_ = hidden;
  table->setVisible(!hidden);
  hidden_note->setVisible(hidden);
  EnableButtons();
}

void TimingDock::EnableButtons() {
  const bool any = !model->Rows().empty() && !hidden_;
  copy_text->setEnabled(any);
  export_csv->setEnabled(any);
}

}  // namespace switchsim
