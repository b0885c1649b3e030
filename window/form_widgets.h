#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QStringList>
#include <span>
#include <string_view>

#include "simulation/constants.h"
#include "look/layout.h"
#include "window/line_shape.h"

// The form's widgets made as the layout describes them, for Form1 to build
// itself from. Each widget is made with `parent` as its parent, which owns it.
namespace switchsim {

/// A rectangle of the layout, in twips, as logical pixels of the form.
QRect ToPixels(const layout::TwipsRect& r);
QStringList ToQStringList(std::span<const std::string_view> items);

/// A caption in `font`, aligned as `alignment` at the top of `geometry`
/// (widened should its text not fit), named for assistive technology by its text.
QLabel* MakeLabel(QWidget* parent, const QString& text, const QFont& font,
                  Qt::Alignment alignment, const QRect& geometry);
/// A list box at `geometry` with its accessible name and tooltip.
QComboBox* MakeBox(QWidget* parent, const QFont& font, const QRect& geometry,
                   const QString& name, const QString& tip);
/// A line of the layout, `width_px` thick, in `colour`.
LineShape* MakeLine(QWidget* parent, const layout::TwipsLine& line, int width_px, Rgb colour,
                    const QString& name);

/// Names a part of the form as the layout knows it, and leaves it out of what
/// assistive technology reads if the layout counts it as decoration.
void NamePart(QWidget& widget, std::string_view part);

/// The form's fixed light look, whatever the desktop's theme.
QPalette WindowPalette();

/// Fills a frame `width_px` thick just inside `rect`, in whole pixels, so
/// that it is as sharp as the form's own lines at any scale.
void PaintFrame(QPainter& painter, const QRect& rect, int width_px, const QColor& colour);

}  // namespace switchsim
