#include "window/language_choice.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <vector>

#include "po/compiled_catalogs.h"
#include "text/languages.h"
#include "text/translation.h"

namespace switchsim {

std::optional<std::string> RememberedLanguage(const QSettings& settings) {
  const std::string remembered = settings.value(kLanguageKey).toString().toStdString();
  for (const Language& language : kLanguages) {
    if (language.listed && language.code == remembered) return remembered;
  }
  return std::nullopt;
}

std::string ChosenLanguage(const std::optional<std::string>& requested, const QSettings& settings) {
  if (requested) return *requested;
  if (auto remembered = RememberedLanguage(settings)) return *remembered;
  std::vector<std::string> tags;
  for (const QString& tag : QLocale::system().uiLanguages()) tags.push_back(tag.toStdString());
  return std::string(PreferredLanguage(tags));
}

void UseLanguage(std::string_view code) {
  if (!UseCompiledLanguage(code)) UseCompiledLanguage(kEnglish);
  const std::string in_use = CurrentLanguage();
  // The pseudo-language is a tester's: its numbers are those of German.
  if (in_use == "pseudo") {
    QLocale::setDefault(QLocale(QLocale::German));
  } else if (in_use != kEnglish) {
    QLocale::setDefault(QLocale(QString::fromStdString(in_use)));
  }
}

void InstallToolkitTranslation(QCoreApplication& application, std::string_view code) {
  if (code == kEnglish || code == "pseudo") return;
  auto* translator = new QTranslator(&application);
  const QString name = QStringLiteral("qtbase_") + QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size()));
  if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

}  // namespace switchsim
