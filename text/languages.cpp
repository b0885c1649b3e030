#include "text/languages.h"

#include <cctype>

namespace switchsim {

std::optional<std::string_view> LanguageOfTag(std::string_view tag) {
  std::string lowered;
  for (const char c : tag) lowered += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const Language& language : kLanguages) {
    const std::string_view code = language.code;
    if (!std::string_view(lowered).starts_with(code)) continue;
    const std::string_view rest = std::string_view(lowered).substr(code.size());
    if (rest.empty() || rest.front() == '-' || rest.front() == '_' || rest.front() == '.' || rest.front() == '@') {
      return code;
    }
  }
  return std::nullopt;
}

std::string_view PreferredLanguage(std::span<const std::string> tags) {
  for (const std::string& tag : tags) {
    if (const auto language = LanguageOfTag(tag)) return *language;
  }
  return kEnglish;
}

std::string LanguageCodes() {
  std::string codes;
  for (std::size_t i = 0; i < kLanguages.size(); ++i) {
    // A list without a word of English in it, to sit in any language's sentence.
    if (i > 0) codes += ", ";
    codes += kLanguages[i].code;
  }
  return codes;
}

}  // namespace switchsim
