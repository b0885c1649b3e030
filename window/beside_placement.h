#pragma once

#include <QRect>
#include <QSize>

namespace switchsim {

/// Where a window of `size` opens by the main window whose frame is `main`,
/// on a screen whose free area is `available`: beside it on the right where
/// the screen has room, else on the left, both aligned with its top; else
/// over it, a little down and right of its corner, so that its title and
/// left edge still show. Never larger than `available`, and within it.
QRect BesideOrOver(const QRect& main, QSize size, const QRect& available);

}  // namespace switchsim
