#include "file_saving.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QSaveFile>
#include <QWidget>

#include "run_choice.h"

namespace switchsim {

std::optional<QString> SaveWhole(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    return QStringLiteral("cannot write %1: %2")
        .arg(QString::fromStdString(Quoted(path.toStdString())), file.errorString());
  }
  return std::nullopt;
}

QByteArray PngOf(QWidget& widget) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!widget.grab().toImage().save(&buffer, "PNG")) return {};
  return png;
}

}  // namespace switchsim
