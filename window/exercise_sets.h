#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QSettings>
#include <cstdint>

#include "window/exercise_dock.h"
#include "exercises/exercise_flow.h"

namespace switchsim {

/// The sets of exercises of the main window: the menu items that open a
/// set from a file or the built-in course and close it, the panel that asks
/// them (ExerciseDock, beside the form), the progress of each set kept in
/// `settings` under the flow's key, and its export as CSV. `flow`,
/// `settings` and `window` are borrowed and must outlive it.
class ExerciseSets : public QObject {
  Q_OBJECT

 public:
  ExerciseSets(ExerciseFlow& flow, QSettings& settings, QMainWindow& window);

  /// Puts Open Exercises…, Open Built-in Course and Close Exercises into
  /// `menu`, before `before`.
  void AddActions(QMenu& menu, QAction* before);

  /// Opens the set in the file at `path`; a file that cannot be read, is
  /// too large or is not a set is said in a message box naming it, and the
  /// set open before stays. True if it was opened.
  bool OpenFile(const QString& path);
  /// Opens `sheet` (one exercise at least) with the progress kept for it.
  void Open(ExerciseSheet sheet);
  /// Shows the flow in the panel and keeps its progress, if it changed.
  void Follow();
  /// Writes the progress as CSV to `path`, whole or not at all; a failure
  /// is shown in a message box. True on success.
  bool ExportProgress(const QString& path);

  ExerciseDock* dock = nullptr;
  QAction* open_file = nullptr;
  QAction* open_course = nullptr;
  QAction* open_sharing = nullptr;
  QAction* close_set = nullptr;
  QPointer<QMessageBox> failure_box;

 signals:
  /// A set was opened or closed, or the student acted in the panel; the
  /// window shows what changed.
  void Changed();

 private:
  void OpenWithDialog();
  void ExportWithDialog();
  bool Refuse(const QString& text);
  void Tell(QMessageBox::Icon icon, const QString& text);

  ExerciseFlow& flow_;
  QSettings& settings_;
  QMainWindow& window_;
  std::uint64_t kept_revision_ = UINT64_MAX;
};

}  // namespace switchsim
