#pragma once

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QObject>
#include <QSettings>
#include <QWidget>
#include <vector>

namespace switchsim {

/// The View menu's Language submenu: one checkable item a listed language,
/// each in its own name, the language in use checked. Choosing one
/// remembers it for the next start (a --lang on the command line is never
/// remembered) and says, in the language in use, that it takes effect then.
class LanguageMenu : public QObject {
  Q_OBJECT

 public:
  LanguageMenu(QMenu& view_menu, QSettings& settings, QWidget& main);

  QMenu* menu = nullptr;
  std::vector<QAction*> languages;  ///< in kLanguages' order, listed ones only
  QMessageBox* notice = nullptr;    ///< the last "takes effect" notice; null before

 private:
  void Choose(const QString& code);

  QSettings& settings_;
  QWidget& main_;
};

}  // namespace switchsim
