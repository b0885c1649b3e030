#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

// Which language the window speaks, and putting it in use: switchsim's own
// texts through the catalog, the toolkit's (standard buttons, file dialogs,
// a line edit's menu) through Qt's own translations.
namespace switchsim {

/// Where the language chosen from the View menu is remembered.
inline const QString kLanguageKey = QStringLiteral("language");

/// The language to speak: `requested` (--lang) when given, else the one
/// remembered in `settings`, else the first of the system's languages that
/// switchsim speaks, else English.
std::string ChosenLanguage(const std::optional<std::string>& requested, const QSettings& settings);

/// The remembered language when it is one the View menu lists, else nullopt.
std::optional<std::string> RememberedLanguage(const QSettings& settings);

/// Puts `code` in use for every later text of switchsim's, and as the
/// locale numbers are shown in (English leaves the system's locale alone,
/// as before there were languages). Call it before any text is composed.
void UseLanguage(std::string_view code);

/// Installs Qt's own translation of `code` into `application`, when the
/// system has it; English needs none.
void InstallToolkitTranslation(QCoreApplication& application, std::string_view code);

}  // namespace switchsim
