#pragma once

#include <string>
#include <string_view>

namespace switchsim {

/// How EscapedText writes what would break a line or a quoted text.
enum class EscapeStyle {
  /// For a one-line message: "\n", "\t", "\r", other control characters and
  /// DEL as "\x01"; other bytes as they are.
  Message,
  /// For JSON: control characters as "\u0001", and each byte that is not part
  /// of valid UTF-8 as the character of that code ("\u00ff"), so that the
  /// result is always valid JSON text.
  Json,
};

/// `text` in double quotes, with quotes and backslashes behind a backslash
/// and the rest escaped in `style`.
std::string EscapedText(std::string_view text, EscapeStyle style);

}  // namespace switchsim
