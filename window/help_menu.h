#pragma once

#include <QAction>
#include <QMenuBar>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "classroom/classroom.h"
#include "form/form_logic.h"
#include "window/guide_dialog.h"

namespace switchsim {

/// The Help menu: the guide to reading the picture, written for the links
/// the form has chosen and with only the numbers the classroom lets it show,
/// and About (the version, the licence and the Qt version). `form` and
/// `classroom` are borrowed and must outlive the menu, which `main` owns.
class HelpMenu : public QObject {
  Q_OBJECT

 public:
  HelpMenu(QMenuBar& bar, QWidget& main, const FormLogic& form, const Classroom& classroom);

  /// Writes the open guide again, after the form's choices or the readouts
  /// the classroom lets it show changed; nothing when it is not open.
  void Follow();

  QAction* guide = nullptr;
  QAction* about = nullptr;
  /// The dialogs, once opened.
  QPointer<GuideDialog> guide_dialog;
  QPointer<QMessageBox> about_box;

 private:
  void ShowGuide();
  void ShowGuideText();
  void ShowAbout();

  QWidget& main_;
  const FormLogic& form_;
  const Classroom& classroom_;
};

}  // namespace switchsim
