#include "window/language_menu.h"

#include <QActionGroup>

#include "text/languages.h"
#include "window/language_choice.h"
#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {

LanguageMenu::LanguageMenu(QMenu& view_menu, QSettings& settings, QWidget& main)
    : QObject(&main), settings_(settings), main_(main) {
  menu = view_menu.addMenu(Ui("L&anguage"));
  menu->menuAction()->setStatusTip(Ui("The language of switchsim's texts, from its next start"));
  auto* group = new QActionGroup(this);
  const std::string in_use = CurrentLanguage();
  for (const Language& language : kLanguages) {
    if (!language.listed) continue;
    // Each language in its own name, so that anyone finds theirs.
    QAction* action = menu->addAction(ToQString(language.own_name));
    action->setCheckable(true);
    action->setChecked(language.code == in_use);
    group->addAction(action);
    const QString code = ToQString(language.code);
    connect(action, &QAction::triggered, this, [this, code] { Choose(code); });
    languages.push_back(action);
  }
}

void LanguageMenu::Choose(const QString& code) {
  settings_.setValue(kLanguageKey, code);
  if (code.toStdString() == CurrentLanguage()) return;
  if (notice == nullptr) {
    notice = new QMessageBox(QMessageBox::Information, Ui("Language"),
                             Ui("The language changes when switchsim next starts."), QMessageBox::Ok, &main_);
  }
  notice->open();
}

}  // namespace switchsim
