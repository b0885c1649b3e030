#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "text/translation.h"

// The window's own texts, in the language in use: each is written in English
// inside Ui, UiIn or UiN, which the catalog's template is extracted from.
// Placeholders are "{0}", "{1}", ... as everywhere in switchsim, filled by
// Filled, so that one style serves the translators.
namespace switchsim {

/// `english` in the language in use, as a Qt string.
inline QString Ui(std::string_view english) { return QString::fromStdString(Tr(english)); }

/// Like Ui, for a short text that means different things in different places.
inline QString UiIn(std::string_view context, std::string_view english) {
  return QString::fromStdString(TrIn(context, english));
}

/// The singular or the plural form, as `count` asks, in the language in use.
inline QString UiN(std::string_view singular, std::string_view plural, long long count) {
  return QString::fromStdString(TrN(singular, plural, count));
}

/// `pattern` (a text of Ui's) with "{0}" to "{9}" replaced by `values`, in
/// one pass as Fill does; a placeholder without a value stays as it is.
inline QString Filled(const QString& pattern, std::initializer_list<QString> values) {
  std::vector<std::string> texts;
  for (const QString& value : values) texts.push_back(value.toStdString());
  const std::vector<std::string_view> views(texts.begin(), texts.end());
  return QString::fromStdString(Fill(pattern.toStdString(), views));
}

/// A number written with a decimal point as a person of the language in
/// use writes it, for the window's own texts.
inline QString UiNumber(const QString& number) {
  return QString::fromStdString(PeopleNumber(number.toStdString()));
}

}  // namespace switchsim
