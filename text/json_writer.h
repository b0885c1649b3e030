#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "simulation/constants.h"

namespace switchsim {

/// Writes JSON text onto the end of a string, value by value. The caller
/// opens and closes objects and arrays and gives keys and values in order;
/// the writer puts the commas between them. Texts are escaped so that the
/// result is valid JSON whatever bytes they hold (as EscapedText does).
/// `out` is borrowed and must outlive the writer.
class JsonWriter {
 public:
  explicit JsonWriter(std::string& out) : out_(out) {}

  /// Opens an object ('{') or an array ('[').
  JsonWriter& Open(char bracket);
  /// Closes it ('}' or ']').
  JsonWriter& Close(char bracket);
  JsonWriter& Key(std::string_view key);
  JsonWriter& Text(std::string_view text);
  JsonWriter& Integer(long long value);
  JsonWriter& Unsigned(std::uint64_t value);
  /// The shortest decimal text that reads back to `value`; null when it is
  /// not finite, which JSON cannot hold.
  JsonWriter& Number(double value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();
  /// A colour as the text "#rrggbb".
  JsonWriter& Colour(Rgb colour);
  /// Ends a line of JSON Lines: a newline, and the next value starts afresh.
  JsonWriter& EndLine();

 private:
  void Comma();

  std::string& out_;
  bool first_ = true;  // no value yet in the innermost open object or array
};

/// "#rrggbb" for a colour.
std::string HexColour(Rgb colour);

}  // namespace switchsim
