#include "text/translation.h"

#include <cctype>
#include <utility>

#include "text/languages.h"

namespace switchsim {
namespace {

inline constexpr char kContextSeparator = '\x04';

std::shared_ptr<const Catalog>& InUse() {
  static std::shared_ptr<const Catalog> catalog;
  return catalog;
}

const std::string* Translation(std::string_view key) {
  const auto& catalog = InUse();
  return catalog ? catalog->Find(key) : nullptr;
}

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::string Tr(std::string_view english) {
  const std::string* found = Translation(english);
  return found != nullptr ? *found : std::string(english);
}

std::string TrIn(std::string_view context, std::string_view english) {
  std::string key(context);
  key += kContextSeparator;
  key += english;
  const std::string* found = Translation(key);
  return found != nullptr ? *found : std::string(english);
}

std::string TrN(std::string_view singular, std::string_view plural, long long count) {
  const bool one = count == 1;
  const std::string* found = Translation(singular);
  if (found == nullptr) return std::string(one ? singular : plural);
  const std::size_t split = found->find('\0');
  if (split == std::string::npos) return *found;
  return one ? found->substr(0, split) : found->substr(split + 1, found->find('\0', split + 1) - split - 1);
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  return Fill(pattern, std::span<const std::string_view>(values.begin(), values.size()));
}

std::string Fill(std::string_view pattern, std::span<const std::string_view> values) {
  std::string filled;
  filled.reserve(pattern.size() + 16);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '{' && i + 2 < pattern.size() && IsDigit(pattern[i + 1]) && pattern[i + 2] == '}') {
      const auto index = static_cast<std::size_t>(pattern[i + 1] - '0');
      if (index < values.size()) {
        filled += values[index];
        i += 2;
        continue;
      }
    }
    filled += pattern[i];
  }
  return filled;
}

std::string PeopleNumber(std::string_view number) {
  // TRANSLATORS: the decimal separator of the numbers a person reads, "," in
  // German and Spanish. Files meant for programs keep the point.
  const std::string separator = TrIn("decimal separator", ".");
  std::string text(number);
  if (separator == "." || separator.empty()) return text;
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if (text[i] == '.' && IsDigit(text[i - 1]) && IsDigit(text[i + 1])) {
      text.replace(i, 1, separator);
      i += separator.size() - 1;
    }
  }
  return text;
}

void UseCatalog(std::shared_ptr<const Catalog> catalog) { InUse() = std::move(catalog); }

std::string CurrentLanguage() {
  const auto& catalog = InUse();
  return catalog && !catalog->Language().empty() ? catalog->Language() : "en";
}

bool EnglishInUse() { return CurrentLanguage() == kEnglish; }

}  // namespace switchsim
