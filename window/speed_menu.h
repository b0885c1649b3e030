#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QSettings>
#include <array>

#include "window/form1.h"
#include "form/speed.h"
#include "window/start_options.h"

namespace switchsim {

/// The Run menu's Speed submenu: the speeds (one of them ticked), Slower
/// and Faster. A speed chosen in it is remembered in `settings`; at start
/// the speed given on the command line wins over the one remembered, for
/// that session only. `form` is borrowed and must outlive it.
class SpeedMenu : public QObject {
  Q_OBJECT

 public:
  SpeedMenu(QMenu& run_menu, QSettings& settings, const StartOptions& options, Form1& form);

  /// Sets the form's speed (one of kSpeeds; another counts as the normal
  /// one) and ticks its item, without remembering it.
  void Set(double speed);

  std::array<QAction*, kSpeeds.size()> speeds{};
  QAction* slower = nullptr;  ///< Ctrl+−, halves the speed
  QAction* faster = nullptr;  ///< Ctrl++ or Ctrl+=, doubles it

 signals:
  /// The speed changed; the window shows it.
  void Changed();

 private:
  void Choose(double speed);
  void Step(int steps);

  QSettings& settings_;
  Form1& form_;
};

}  // namespace switchsim
