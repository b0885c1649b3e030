#include "window/file_saving.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

#include "form/run_choice.h"
#include "window/ui_text.h"

namespace switchsim {

std::optional<QString> SaveWhole(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  const auto failure = [&] {
    return Filled(Ui("cannot write {0}: {1}"),
                  {QString::fromStdString(Quoted(path.toStdString())), file.errorString()});
  };
  if (!file.open(QIODevice::WriteOnly)) return failure();
  // A write cut short (a full disk) tells no reason; the next one does.
  for (qint64 written = 0; written < bytes.size();) {
    const qint64 now = file.write(bytes.constData() + written, bytes.size() - written);
    if (now <= 0) return failure();
    written += now;
  }
  if (!file.commit()) return failure();
  return std::nullopt;
}

QByteArray PngOf(QWidget& widget) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!widget.grab().toImage().save(&buffer, "PNG")) return {};
  return png;
}

bool IsSvgPath(const QString& path) {
  return QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;
}

QString WithFilterSuffix(const QString& path, const QString& filter) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  static const QRegularExpression kPattern(QStringLiteral("\\*\\.(\\w+)"));
  const QRegularExpressionMatch match = kPattern.match(filter);
  return match.hasMatch() ? path + '.' + match.captured(1) : path;
}

QString DocumentsFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return folder.isEmpty() ? QDir::homePath() : folder;
}

QString AskSavePath(QWidget* parent, const QString& title, const QString& name, const QString& filter) {
  QString chosen_filter;
  const QString path = QFileDialog::getSaveFileName(parent, title, QDir(DocumentsFolder()).filePath(name),
                                                    filter, &chosen_filter);
  return path.isEmpty() ? path : WithFilterSuffix(path, chosen_filter);
}

}  // namespace switchsim
