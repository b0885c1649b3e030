#include "main_window_fixture.h"

namespace switchsim::testing {

MainWindowTest::MainWindowTest()
    : settings_(dir_.filePath("switchsim.ini"), QSettings::IniFormat),
      window_(std::make_unique<MainWindow>(settings_, Options())) {}

StartOptions MainWindowTest::Options() {
  StartOptions options;
  options.SetSeed(5);
  return options;
}

void MainWindowTest::RunToEnd() {
  while (form().logic().TimerEnabled()) form().Timer1_Timer();
  window().Refresh(false);
}

void MainWindowTest::Run(const char* technique) {
  if (form().logic().RunExists()) window().start->trigger();  // Reset
  form().cmbMethod->setCurrentText(technique);
  window().start->trigger();
  RunToEnd();
}

QImage MainWindowTest::Picture() { return form().grab().toImage(); }

}  // namespace switchsim::testing
