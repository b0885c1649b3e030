#include "window/help_menu.h"

#include "form/chosen_model.h"
#include "formulas/reading_guide.h"
#include "text/version.h"
#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {

HelpMenu::HelpMenu(QMenuBar& bar, QWidget& main, const FormLogic& form, const Classroom& classroom)
    : QObject(&main), main_(main), form_(form), classroom_(classroom) {
  QMenu* menu = bar.addMenu(Ui("&Help"));
  guide = menu->addAction(Ui("&How to Read the Picture"));
  guide->setShortcut(QKeySequence::HelpContents);
  about = menu->addAction(Ui("&About switchsim"));
  const std::pair<QAction*, QString> tips[] = {
      {guide, Ui("The axes, the colours, the techniques and their formulas")},
      {about, Ui("The version, the licence and the Qt version")}};
  for (const auto& [action, tip] : tips) {
    action->setStatusTip(tip);
    action->setToolTip(tip);
  }
  connect(guide, &QAction::triggered, this, &HelpMenu::ShowGuide);
  connect(about, &QAction::triggered, this, &HelpMenu::ShowAbout);
}

void HelpMenu::Follow() {
  if (guide_dialog != nullptr && guide_dialog->isVisible()) ShowGuideText();
}

void HelpMenu::ShowGuide() {
  if (guide_dialog == nullptr) guide_dialog = new GuideDialog(&main_);
  ShowGuideText();
  guide_dialog->show();
  guide_dialog->raise();
}

void HelpMenu::ShowGuideText() {
  guide_dialog->ShowText(ToQString(ReadingGuideHtml(ChosenModel(form_), classroom_.Shown().guide_numbers)));
}

void HelpMenu::ShowAbout() {
  if (about_box == nullptr) {
    about_box = new QMessageBox(QMessageBox::Information, Ui("About switchsim"), QString(), QMessageBox::Ok, &main_);
    about_box->setAttribute(Qt::WA_DeleteOnClose);
  }
  about_box->setText(
      Filled(Ui("<p><b>switchsim {0}</b></p><p>Message, circuit and packet switching, "
                "animated: one message crosses Transmit, Router A, Router B and Receive.</p>"
                "<p>Free software under the {1}.</p>"
                "<p>Built with Qt {2}, running on Qt {3}.</p>"),
             {ToQString(kVersion), ToQString(kLicence), QStringLiteral(QT_VERSION_STR),
              QString::fromLatin1(qVersion())}));
  about_box->open();
}

}  // namespace switchsim
