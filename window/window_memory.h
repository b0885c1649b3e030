#pragma once

#include <QSettings>
#include <optional>

class QWidget;

// What the main window remembers of itself in the settings, with the View
// menu's choices: its size, whether it was maximised, and the speed.
namespace switchsim::window_memory {

/// Gives `window` (a top-level window not yet shown) the size it had when
/// last closed, as far as its screen holds it, or else `fallback` as far as
/// the screen holds it: the size it has when not maximised.
void Restore(QWidget& window, const QSettings& settings, const QSize& fallback);
/// Whether the window was maximised when last closed.
bool Maximised(const QSettings& settings);
/// Keeps the size `window` has when not maximised nor full screen, and whether it is maximised.
void Keep(const QWidget& window, QSettings& settings);

/// The speed last chosen in the menu, if one of kSpeeds.
std::optional<double> Speed(const QSettings& settings);
void KeepSpeed(QSettings& settings, double speed);

}  // namespace switchsim::window_memory
