#include "window/results_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QVBoxLayout>

#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {

ResultsWindow::ResultsWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(Ui("switchsim: results"));
  setAccessibleName(Ui("Results"));
  setModal(false);
  model = new ResultsModel(this);
  table = new QTableView(this);
  table->setModel(model);
  table->setAccessibleName(Ui("Results of the runs, newest first"));
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->verticalHeader()->hide();
  // Tab goes on to the buttons; the arrows choose a row.
  table->setTabKeyNavigation(false);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

  copy_text = new QPushButton(Ui("Copy as &Text"), this);
  copy_command = new QPushButton(Ui("Copy as &Command"), this);
  copy_command->setToolTip(
      Ui("Copies the switchsim-trace command that runs the chosen run again"));
  export_csv = new QPushButton(Ui("&Export CSV…"), this);
  close = new QPushButton(Ui("Close"), this);
  hidden_note = new QLabel(Ui("The results show once the exercise's answer is taken."), this);
  hidden_note->setTextFormat(Qt::PlainText);
  hidden_note->hide();
  for (QPushButton* button : {copy_text, copy_command, export_csv, close}) button->setAutoDefault(false);
  connect(copy_text, &QPushButton::clicked, this, &ResultsWindow::CopyText);
  connect(copy_command, &QPushButton::clicked, this, &ResultsWindow::CopyCommand);
  connect(export_csv, &QPushButton::clicked, this, &ResultsWindow::ExportRequested);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  // Escape closes a dialog already; Ctrl+W closes this one too.
  auto* close_key = new QShortcut(QKeySequence::Close, this);
  connect(close_key, &QShortcut::activated, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copy_text);
  buttons->addWidget(copy_command);
  buttons->addWidget(export_csv);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table);
  layout->addWidget(hidden_note);
  layout->addLayout(buttons);
  resize(860, 320);
  ShowResults({});
}

void ResultsWindow::ShowResults(const std::vector<RunResult>& results) {
  model->SetResults(results);
  // A row is always chosen, so that the keys can move from it: the newest.
  if (!results.empty()) table->setCurrentIndex(model->index(0, 0));
  EnableButtons();
}

void ResultsWindow::SetReadoutsHidden(bool hidden) {
  hidden_ = hidden;
  table->setVisible(!hidden);
  hidden_note->setVisible(hidden);
  EnableButtons();
}

void ResultsWindow::EnableButtons() {
  const bool any = !model->Results().empty() && !hidden_;
  copy_text->setEnabled(any);
  copy_command->setEnabled(any);
  export_csv->setEnabled(any);
}

const RunResult* ResultsWindow::ChosenRun() const {
  const std::vector<RunResult>& results = model->Results();
  if (results.empty()) return nullptr;
  const int row = table->currentIndex().row();
  return &results[row >= 0 && row < static_cast<int>(results.size()) ? static_cast<std::size_t>(row) : 0];
}

void ResultsWindow::CopyText() { QApplication::clipboard()->setText(ToQString(ResultsText(model->Results()))); }

void ResultsWindow::CopyCommand() {
  if (const RunResult* run = ChosenRun()) {
    QApplication::clipboard()->setText(ToQString(TraceCommand(run->parameters)));
  }
}

}  // namespace switchsim
