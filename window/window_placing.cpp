#include "window/window_placing.h"

#include <QScreen>
#include <QWidget>

namespace switchsim {

void CentreOnScreen(QWidget& window) {
  QRect placed(QPoint(), window.frameGeometry().size());
  placed.moveCenter(window.screen()->availableGeometry().center());
  window.move(placed.topLeft());
}

}  // namespace switchsim
