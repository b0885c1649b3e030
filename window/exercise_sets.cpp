#include "window/exercise_sets.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <string_view>

#include "exercises/exercise_course.h"
#include "exercises/sharing_course.h"
#include "exercises/exercise_sheet.h"
#include "window/file_saving.h"
#include "window/qt_text.h"
#include "form/run_choice.h"
#include "window/ui_text.h"

namespace switchsim {
ExerciseSets::ExerciseSets(ExerciseFlow& flow, QSettings& settings, QMainWindow& window)
    : QObject(&window), flow_(flow), settings_(settings), window_(window) {
  dock = new ExerciseDock(flow_, &window_);
  window_.addDockWidget(Qt::RightDockWidgetArea, dock);
  dock->hide();
  QAction* shown = dock->toggleViewAction();
  shown->setText(Ui("Exercise Pa&nel"));
  shown->setStatusTip(Ui("Shows the exercise asked beside the form"));
  connect(dock, &ExerciseDock::ExportRequested, this, &ExerciseSets::ExportWithDialog);
  connect(dock, &ExerciseDock::Acted, this, &ExerciseSets::Changed);

  open_file = new QAction(Ui("Open &Exercises…"), this);
  open_file->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  open_file->setStatusTip(Ui("Opens a set of exercises from a JSON file"));
  open_course = new QAction(Ui("Open Built-in &Course"), this);
  open_course->setStatusTip(
      Ui("Opens the exercises that come with switchsim, from one link to packets"));
  open_sharing = new QAction(Ui("Open Course on &Sharing a Link"), this);
  open_sharing->setStatusTip(
      Ui("Opens the exercises on reserved circuits, congestion and queueing delay"));
  close_set = new QAction(Ui("Close E&xercises"), this);
  close_set->setStatusTip(Ui("Closes the set of exercises; its progress is kept"));
  close_set->setEnabled(false);
  connect(open_file, &QAction::triggered, this, &ExerciseSets::OpenWithDialog);
  connect(open_course, &QAction::triggered, this, [this] { Open(BuiltInCourse()); });
  connect(open_sharing, &QAction::triggered, this, [this] { Open(SharingCourse()); });
  connect(close_set, &QAction::triggered, this, [this] {
    flow_.Close();
    dock->hide();
    emit Changed();
  });
}

void ExerciseSets::AddActions(QMenu& menu, QAction* before) {
  menu.insertAction(before, open_file);
  menu.insertAction(before, open_course);
  menu.insertAction(before, open_sharing);
  menu.insertAction(before, close_set);
  menu.insertSeparator(before);
}

bool ExerciseSets::OpenFile(const QString& path) {
  const QString name = QString::fromStdString(Quoted(QFileInfo(path).fileName().toStdString()));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return Refuse(Filled(Ui("Cannot read {0}: {1}."), {name, file.errorString()}));
  }
  // One byte more than a set may have tells a file that is too large.
  const QByteArray bytes = file.read(static_cast<qint64>(kMostSheetBytes) + 1);
  if (file.error() != QFileDevice::NoError) {
    return Refuse(Filled(Ui("Cannot read {0}: {1}."), {name, file.errorString()}));
  }
  if (static_cast<std::size_t>(bytes.size()) > kMostSheetBytes) {
    return Refuse(Filled(Ui("{0} is not opened: a set of exercises is at most {1} bytes."),
                         {name, QString::number(kMostSheetBytes)}));
  }
  SheetReading reading =
      ReadExerciseSheet(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!reading.sheet) {
    return Refuse(Filled(Ui("{0} is not a set of exercises: {1}"), {name, ToQString(reading.error)}));
  }
  if (reading.sheet->exercises.empty()) {
    return Refuse(Filled(Ui("{0} holds no exercise."), {name}));
  }
  Open(std::move(*reading.sheet));
  return true;
}

void ExerciseSets::Open(ExerciseSheet sheet) {
  const QString key = ToQString("exercises/" + SheetKey(sheet));
  flow_.Open(std::move(sheet), settings_.value(key).toString().toStdString());
  close_set->setEnabled(true);
  dock->show();
  dock->raise();
  emit Changed();
}

void ExerciseSets::Follow() {
  dock->Follow();
  if (flow_.Step() == ExerciseStep::Closed || flow_.Revision() == kept_revision_) return;
  kept_revision_ = flow_.Revision();
  settings_.setValue(ToQString(flow_.ProgressKey()), ToQString(flow_.ProgressText()));
}

bool ExerciseSets::ExportProgress(const QString& path) {
  const auto error = SaveWhole(path, QByteArray::fromStdString(flow_.ProgressCsv()));
  if (error) Tell(QMessageBox::Critical, Filled(Ui("Nothing was saved: {0}."), {*error}));
  return !error;
}

void ExerciseSets::OpenWithDialog() {
  const QString path =
      QFileDialog::getOpenFileName(&window_, Ui("Open Exercises"), DocumentsFolder(),
                                   Ui("Sets of exercises (*.json);;All files (*)"));
  if (!path.isEmpty()) OpenFile(path);
}

void ExerciseSets::ExportWithDialog() {
  const QString path = AskSavePath(&window_, Ui("Export Progress"),
                                   QStringLiteral("switchsim-progress.csv"), QStringLiteral("CSV (*.csv)"));
  if (!path.isEmpty()) ExportProgress(path);
}

bool ExerciseSets::Refuse(const QString& text) {
  Tell(QMessageBox::Warning, text);
  return false;
}

void ExerciseSets::Tell(QMessageBox::Icon icon, const QString& text) {
  if (failure_box != nullptr) failure_box->close();
  failure_box = new QMessageBox(icon, QStringLiteral("switchsim"), text, QMessageBox::Ok, &window_);
  failure_box->setTextFormat(Qt::PlainText);  // a file's name is no markup
  failure_box->setAttribute(Qt::WA_DeleteOnClose);
  if (window_.isVisible()) {
    failure_box->open();
  } else {
    // A box told of at start waits for the window, so that it stands over it, not under.
    QMessageBox* box = failure_box;
    QMetaObject::invokeMethod(box, [box] { box->open(); }, Qt::QueuedConnection);
  }
}

}  // namespace switchsim
