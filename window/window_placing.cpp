#include "window/window_placing.h"

#include <QScreen>
#include <QWidget>

#include "window/beside_placement.h"

namespace switchsim {

void CentreOnScreen(QWidget& window) {
  QRect placed(QPoint(), window.frameGeometry().size());
  placed.moveCenter(window.screen()->availableGeometry().center());
  window.move(placed.topLeft());
}

void PlaceBesideParent(QWidget& window) {
  if (window.parentWidget() == nullptr) return;
  const QWidget& main = *window.parentWidget()->window();
  const QRect frame = main.frameGeometry();
  // Its own frame will be as the main window's: the place is the frame's, the size the inside's.
  const QMargins edges(main.geometry().left() - frame.left(), main.geometry().top() - frame.top(),
                       frame.right() - main.geometry().right(), frame.bottom() - main.geometry().bottom());
  const QSize size = frame.size().expandedTo(window.minimumSizeHint().grownBy(edges));
  window.setGeometry(BesideOrOver(frame, size, main.screen()->availableGeometry()).marginsRemoved(edges));
}

}  // namespace switchsim
