#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace switchsim {

/// One language's compiled message catalog, read from gettext's binary
/// `.mo` format (what `msgfmt` writes from a `.po` file).
///
/// Written here rather than taken from the C library's gettext because the
/// form's rules translate in the WebAssembly build too, whose C library has
/// no gettext, and because gettext would also tie the language to the
/// process's locale, which a machine may not have installed.
class Catalog {
 public:
  /// Reads a catalog from the bytes of a `.mo` file. Returns nullopt and
  /// sets `error` (when given) to a short reason when they are not one: a
  /// wrong magic number, or a table or text outside the bytes.
  static std::optional<Catalog> Read(std::string_view bytes, std::string* error = nullptr);

  /// The translation of `key`: a msgid, or "context\x04msgid" for one with a
  /// context. For a plural entry, the key is its singular msgid and the
  /// translation holds the forms separated by '\0'. nullptr when the catalog
  /// has no translation of it (an empty one counts as none).
  const std::string* Find(std::string_view key) const;

  /// The "Language:" field of the catalog's header ("de"), or "".
  const std::string& Language() const { return language_; }

  /// How many texts the catalog translates.
  std::size_t Size() const { return entries_.size(); }

 private:
  std::unordered_map<std::string, std::string> entries_;
  std::string language_;
};

}  // namespace switchsim
