#include <QApplication>
#include <QIcon>
#include <QSettings>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "options/option_table.h"
#include "text/translation.h"
#include "text/version.h"
#include "window/language_choice.h"
#include "window/main_window.h"
#include "window/start_options.h"

namespace {

// What the toolkit says while it looks for a display, kept back: if none
// can be opened, one line of our own says so instead.
QStringList held_messages;

void HoldMessages(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
  if (type != QtFatalMsg) {
    held_messages << message;
    return;
  }
  const bool named = !qEnvironmentVariableIsEmpty("DISPLAY") ||
                     !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  // The toolkit's own reason (which display, refused or absent) ends the
  // clause, so the line still says why.
  QString reason;
  for (const QString& held : named ? held_messages : QStringList()) {
    if (held.contains(QStringLiteral("display"), Qt::CaseInsensitive)) {
      reason = QStringLiteral(" (%1)").arg(held.simplified().left(120));
      break;
    }
  }
  const std::string line =
      named ? switchsim::Fill(switchsim::Tr("switchsim: the window needs a display, and the one named by "
                                            "DISPLAY or WAYLAND_DISPLAY could not be opened{0}; "
                                            "switchsim-trace runs without one"),
                              {reason.toStdString()})
            : switchsim::Tr("switchsim: the window needs a display, and neither DISPLAY nor "
                            "WAYLAND_DISPLAY is set; switchsim-trace runs without one");
  std::fprintf(stderr, "%s\n", line.c_str());
  std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  QStringList command_line;
  for (int i = 0; i < argc; ++i) command_line << QString::fromLocal8Bit(argv[i]);
  const switchsim::SplitArguments split = switchsim::SplitToolkitArguments(command_line);
  QApplication::setOrganizationName(QStringLiteral("switchsim"));
  QApplication::setApplicationName(QStringLiteral("switchsim"));

  // The language first, before any text is composed: --lang, else the one
  // chosen from the View menu, else the system's.
  std::vector<std::string> own_args;
  for (const QString& argument : split.own) own_args.push_back(argument.toStdString());
  const std::string language = [&] {
    const QSettings remembered;
    return switchsim::ChosenLanguage(switchsim::RequestedLanguage(own_args), remembered);
  }();
  switchsim::UseLanguage(language);

  // Refusals, help and version come before any window, and need no display.
  const auto parsed = switchsim::ParseStartOptions(split.own);
  if (const auto* error = std::get_if<switchsim::StartError>(&parsed)) {
    std::fprintf(stderr, "switchsim: %s\n", error->message.c_str());
    return 2;
  }
  const auto& options = std::get<switchsim::StartOptions>(parsed);
  if (options.help) {
    std::fputs(qPrintable(switchsim::StartHelpText()), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("switchsim %.*s\n", static_cast<int>(switchsim::kVersion.size()),
                switchsim::kVersion.data());
    return 0;
  }

  std::vector<QByteArray> toolkit_bytes;
  std::vector<char*> toolkit_argv;
  for (const QString& argument : split.toolkit) toolkit_bytes.push_back(argument.toLocal8Bit());
  for (QByteArray& bytes : toolkit_bytes) toolkit_argv.push_back(bytes.data());
  int toolkit_argc = static_cast<int>(toolkit_argv.size());
  toolkit_argv.push_back(nullptr);

  const QtMessageHandler previous = qInstallMessageHandler(HoldMessages);
  QApplication application(toolkit_argc, toolkit_argv.data());
  qInstallMessageHandler(previous);
  for (const QString& message : held_messages) std::fprintf(stderr, "%s\n", qPrintable(message));
  switchsim::InstallToolkitTranslation(application, language);
  QApplication::setApplicationVersion(QString::fromUtf8(switchsim::kVersion.data(),
                                                        static_cast<qsizetype>(switchsim::kVersion.size())));
  // Lets the desktop match the window to its entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("switchsim"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("switchsim")));

  QSettings settings;
  switchsim::MainWindow window(settings, options);
  window.show();
  // Without a window manager (a bare X server, a kiosk) nothing else gives
  // the window the keyboard.
  window.activateWindow();
  if (options.start) window.start->trigger();
  return QApplication::exec();
}
