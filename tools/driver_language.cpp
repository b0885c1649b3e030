#include "tools/driver_language.h"

#include "options/option_table.h"
#include "text/languages.h"

namespace switchsim::trace {
namespace {

std::string_view Variable(const EnvironmentLookup& lookup, const char* name) {
  const char* value = lookup(name);
  return value == nullptr ? std::string_view() : std::string_view(value);
}

}  // namespace

std::string LanguageOfEnvironment(const EnvironmentLookup& lookup) {
  std::string_view locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = Variable(lookup, name);
    if (!locale.empty()) break;
  }
  if (locale.empty() || locale == "C" || locale == "POSIX") return std::string(kEnglish);
  std::vector<std::string> tags;
  std::string_view list = Variable(lookup, "LANGUAGE");
  while (!list.empty()) {
    const std::size_t colon = list.find(':');
    if (colon != 0) tags.emplace_back(list.substr(0, colon));
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  tags.emplace_back(locale);
  return std::string(PreferredLanguage(tags));
}

std::string DriverLanguage(const std::vector<std::string>& args, const EnvironmentLookup& lookup) {
  if (auto asked = RequestedLanguage(args)) return *std::move(asked);
  return LanguageOfEnvironment(lookup);
}

}  // namespace switchsim::trace
