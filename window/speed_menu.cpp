#include "window/speed_menu.h"

#include <QActionGroup>

#include "window/qt_text.h"
#include "window/window_memory.h"
#include "window/ui_text.h"

namespace switchsim {

SpeedMenu::SpeedMenu(QMenu& run_menu, QSettings& settings, const StartOptions& options, Form1& form)
    : QObject(&run_menu), settings_(settings), form_(form) {
  QMenu* menu = run_menu.addMenu(Ui("S&peed"));
  auto* group = new QActionGroup(this);
  for (std::size_t i = 0; i < kSpeeds.size(); ++i) {
    speeds[i] = menu->addAction(ToQString(kSpeeds[i].name));
    speeds[i]->setCheckable(true);
    speeds[i]->setStatusTip(Filled(Ui("Ticks {0} as fast as normal; each tick is still 25 ms of clock"),
                                   {ToQString(kSpeeds[i].name)}));
    group->addAction(speeds[i]);
    const double factor = kSpeeds[i].factor;
    connect(speeds[i], &QAction::triggered, this, [this, factor] { Choose(factor); });
  }
  menu->addSeparator();
  // Ctrl with a sign: keys that typing a rate never uses.
  slower = menu->addAction(Ui("&Slower"));
  slower->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  slower->setStatusTip(Ui("Halves the speed"));
  faster = menu->addAction(Ui("&Faster"));
  faster->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  faster->setStatusTip(Ui("Doubles the speed"));
  connect(slower, &QAction::triggered, this, [this] { Step(-1); });
  connect(faster, &QAction::triggered, this, [this] { Step(1); });
  Set(options.Given("speed") ? options.speed : window_memory::Speed(settings_).value_or(options.speed));
}

void SpeedMenu::Set(double speed) {
  const std::size_t index = SpeedIndex(speed);
  form_.SetSpeed(kSpeeds[index].factor);
  speeds[index]->setChecked(true);
  slower->setEnabled(index > 0);
  faster->setEnabled(index + 1 < kSpeeds.size());
  emit Changed();
}

void SpeedMenu::Choose(double speed) {
  Set(speed);
  window_memory::KeepSpeed(settings_, form_.Speed());
}

void SpeedMenu::Step(int steps) {
  const auto index = static_cast<long>(SpeedIndex(form_.Speed())) + steps;
  if (index < 0 || index >= static_cast<long>(kSpeeds.size())) return;
  Choose(kSpeeds[static_cast<std::size_t>(index)].factor);
}

}  // namespace switchsim
