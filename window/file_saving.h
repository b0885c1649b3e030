#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QWidget;

namespace switchsim {

/// Writes `bytes` to `path` whole or not at all (through a temporary file
/// that replaces the target only once everything is written). Returns what
/// went wrong, such as "cannot write \"/x/y.png\": No such file or
/// directory", or nothing.
std::optional<QString> SaveWhole(const QString& path, const QByteArray& bytes);

/// The widget, as it shows now, as a PNG; empty if it cannot be made.
QByteArray PngOf(QWidget& widget);

/// Whether a picture saved to `path` is an SVG: its suffix is "svg" in any case.
bool IsSvgPath(const QString& path);

/// `path`, or, when it has no suffix, `path` with the suffix of the first
/// pattern of `filter` ("SVG pictures (*.svg)" gives ".svg"): the file type
/// the user chose in a save dialog without typing it.
QString WithFilterSuffix(const QString& path, const QString& filter);

/// The folder the file dialogs start in: the user's documents, else home.
QString DocumentsFolder();

/// Asks where to save, offering `name` in DocumentsFolder() and the file
/// types of `filter`: the path chosen (WithFilterSuffix of the type chosen),
/// or empty if the user cancelled.
QString AskSavePath(QWidget* parent, const QString& title, const QString& name, const QString& filter);

}  // namespace switchsim
