#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace switchsim {

/// A language switchsim speaks: its code, as `--lang` and `?lang=` take it
/// and as its catalog is named, and its name in itself, as a menu lists it.
struct Language {
  std::string_view code;
  std::string_view own_name;
  /// Whether a person picks it from a menu; the pseudo-language, which only
  /// a tester asks for, is not listed.
  bool listed = true;
};

/// The languages, English (the code's own, with no catalog) first.
inline constexpr std::array<Language, 4> kLanguages = {{
    {"en", "English", true},
    {"de", "Deutsch", true},
    {"es", "Español", true},
    {"pseudo", "Pseudo", false},
}};

inline constexpr std::string_view kEnglish = "en";

/// The language a tag names: a code of kLanguages ("de"), a browser's
/// language tag ("de-AT", "es-419") or a locale's name ("de_DE.UTF-8",
/// "es_ES@euro"), in any case. nullopt for another language, or for "C" and
/// "POSIX".
std::optional<std::string_view> LanguageOfTag(std::string_view tag);

/// The first of `tags`, in order of preference, that names a language
/// switchsim speaks; English when none does.
std::string_view PreferredLanguage(std::span<const std::string> tags);

/// The languages' codes for a message: "en, de, es, pseudo".
std::string LanguageCodes();

}  // namespace switchsim
