#include "window/form_picture.h"

#include <QApplication>
#include <QString>
#include <cstdio>

#include "window/file_saving.h"
#include "window/form1.h"
#include "text/translation.h"
#include "pictures/picture_runs.h"

namespace switchsim {
namespace {

// Qt's notes about the session (no runtime folder, no input devices) mean
// nothing for an offscreen picture; only real failures reach stderr.
void QuietMessages(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "switchsim-trace: %s\n", qPrintable(message));
  }
}

}  // namespace

std::optional<std::string> WriteFormPicture(const RunParameters& choice,
                                            const std::vector<std::string>& techniques,
                                            std::uint64_t seed, bool additions,
                                            const std::string& path) {
  // The picture must not depend on the display the driver was started from.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  static int argc = 1;
  static char name[] = "switchsim-trace";
  static char* argv[] = {name, nullptr};
  QApplication application(argc, argv);

  Form1 form(seed);
  RunForPicture(form.logic(), form.random(), choice, techniques, seed);

  if (additions) form.SetAdditions(kAllAdditions);
  const QByteArray png = PngOf(form);
  if (png.isEmpty()) return Tr("cannot make a PNG of the window");
  if (const auto error = SaveWhole(QString::fromStdString(path), png)) return error->toStdString();
  return std::nullopt;
}

}  // namespace switchsim
