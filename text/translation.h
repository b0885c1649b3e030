#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <span>
#include <string_view>

#include "text/catalog.h"

// The texts a person reads, in the language chosen for them. Every such text
// is written in English in the code, inside one of the calls below, which the
// catalog's template (po/switchsim.pot) is extracted from; with no catalog in
// use, each call gives its English back unchanged, byte for byte.
//
// Placeholders are written "{0}", "{1}", ... and filled by Fill, so that a
// translation may put them in another order.
namespace switchsim {

/// Marks `english` for the catalog without translating it, for a table whose
/// texts are translated where they are shown (with Tr).
constexpr std::string_view Mark(std::string_view english) { return english; }

/// `english` in the language in use; `english` itself when no catalog is in
/// use or the catalog has no translation of it.
std::string Tr(std::string_view english);

/// Like Tr, for a text that means different things in different places:
/// `context` tells the translator which (gettext's msgctxt).
std::string TrIn(std::string_view context, std::string_view english);

/// The singular or the plural form, as `count` asks, in the language in use
/// (both shipped languages, like English, take the singular for 1 alone).
std::string TrN(std::string_view singular, std::string_view plural, long long count);

/// `pattern` with "{0}" to "{9}" replaced by `values`' texts; a placeholder
/// without a value stays as it is.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values);
/// The same, for values gathered at run time.
std::string Fill(std::string_view pattern, std::span<const std::string_view> values);

/// A number written with a decimal point ("6287.5", "-0.25") as a person of
/// the language in use writes it ("6287,5" in German). For texts a person
/// reads only, never for files a program reads.
std::string PeopleNumber(std::string_view number);

/// Uses `catalog` for every later translation; nullptr goes back to English.
/// The catalog is shared, not copied. Call it before any other thread
/// translates.
void UseCatalog(std::shared_ptr<const Catalog> catalog);

/// The code of the language in use ("de"), "en" when no catalog is in use.
std::string CurrentLanguage();

/// Whether the texts in use are the code's own English. The form, the curves
/// and the pictures were laid out for those texts and keep that layout
/// exactly; only another language's texts make them take smaller fonts or
/// more room.
bool EnglishInUse();

}  // namespace switchsim
