#pragma once

class QWidget;

namespace switchsim {

/// Puts `window` (a top-level window) in the middle of its screen's free
/// area, so that the dialogs it opens before the desktop moves it stand over it too.
void CentreOnScreen(QWidget& window);

/// Puts `window` (a top-level window with a parent) beside its parent's
/// window, or over it where the screen has no room (BesideOrOver), at the
/// parent window's size or the least `window` needs, with a frame as the
/// parent's. Does nothing without a parent.
void PlaceBesideParent(QWidget& window);

}  // namespace switchsim
