#include "window/window_memory.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "form/speed.h"

namespace switchsim::window_memory {
namespace {

const QString kSizeKey = QStringLiteral("window/size");
const QString kMaximisedKey = QStringLiteral("window/maximised");
const QString kSpeedKey = QStringLiteral("run/speed");

}  // namespace

void Restore(QWidget& window, const QSettings& settings, const QSize& fallback) {
  const QRect screen = window.screen()->availableGeometry();
  const QSize kept = settings.value(kSizeKey).toSize();
  const QSize size = kept.isValid() && !kept.isEmpty() ? kept : fallback;
  window.resize(size.expandedTo(window.minimumSizeHint()).boundedTo(screen.size()));
}

bool Maximised(const QSettings& settings) { return settings.value(kMaximisedKey, false).toBool(); }

void Keep(const QWidget& window, QSettings& settings) {
  const bool plain = !window.isMaximized() && !window.isFullScreen();
  const QSize size = plain ? window.size() : window.normalGeometry().size();
  if (size.isValid() && !size.isEmpty()) settings.setValue(kSizeKey, size);
  settings.setValue(kMaximisedKey, window.isMaximized());
}

std::optional<double> Speed(const QSettings& settings) {
  bool read = false;
  const double speed = settings.value(kSpeedKey).toDouble(&read);
  if (!read) return std::nullopt;
  const auto known = std::ranges::find_if(kSpeeds, [&](const SpeedStep& step) { return step.factor == speed; });
  return known == kSpeeds.end() ? std::nullopt : std::optional(speed);
}

void KeepSpeed(QSettings& settings, double speed) { settings.setValue(kSpeedKey, speed); }

}  // namespace switchsim::window_memory
