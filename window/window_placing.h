#pragma once

class QWidget;

namespace switchsim {

/// Puts `window` (a top-level window) in the middle of its screen's free
/// area, so that the dialogs it opens before the desktop moves it stand over it too.
void CentreOnScreen(QWidget& window);

}  // namespace switchsim
