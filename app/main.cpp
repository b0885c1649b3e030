#include <QApplication>
#include <QIcon>

#include "form1.h"
#include "random_source.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("switchsim"));
  QApplication::setApplicationVersion(QStringLiteral(SWITCHSIM_VERSION));
  // Lets the desktop match the window to its entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("switchsim"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("switchsim")));

  switchsim::Form1 form(switchsim::Mt64Random::SystemSeed());
  form.show();
  return QApplication::exec();
}
