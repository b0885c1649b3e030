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

/// How many characters of a value a message quotes.
inline constexpr std::size_t kMostQuoted = 40;

/// `text` as it is if it has at most `most` characters (UTF-8 code points;
/// a byte that continues none counts with the one before it), else its first
/// `most` and an ellipsis ("…"), so that a long value cannot flood a
/// one-line message.
std::string Abridged(std::string_view text, std::size_t most = kMostQuoted);

/// A value in double quotes for a message: its first 40 characters and an
/// ellipsis if it is longer; quotes and backslashes get a backslash, control
/// characters are escaped ("\n", "\x01"), so that the message stays on one
/// short line.
std::string Quoted(const std::string& text);

/// `text` for HTML, as text or in a double-quoted attribute: "&", "<", ">"
/// and '"' as their character references.
std::string HtmlEscaped(std::string_view text);

/// `field` as one field of a CSV line (RFC 4180): as it is, or in double
/// quotes with each quote doubled when it holds a comma, a quote or a line break.
std::string CsvField(std::string_view field);

/// `text` in double quotes, with quotes and backslashes behind a backslash
/// and the rest escaped in `style`.
std::string EscapedText(std::string_view text, EscapeStyle style);

}  // namespace switchsim
