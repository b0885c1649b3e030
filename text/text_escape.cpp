#include "text/text_escape.h"

#include <array>
#include <cstdint>

namespace switchsim {
namespace {

constexpr std::string_view kHex = "0123456789abcdef";

std::string HexByte(std::uint32_t byte) { return {kHex[(byte >> 4) & 0xf], kHex[byte & 0xf]}; }

// Length of the valid UTF-8 sequence that starts text[at], or 0.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  std::uint32_t lowest = 0;
  std::uint32_t code = 0;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2, lowest = 0x80, code = lead & 0x1fU;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3, lowest = 0x800, code = lead & 0x0fU;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4, lowest = 0x10000, code = lead & 0x07U;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xc0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3fU);
  }
  const bool surrogate = code >= 0xd800 && code <= 0xdfff;
  return code < lowest || code > 0x10ffff || surrogate ? 0 : length;
}

}  // namespace

std::string CsvField(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Abridged(std::string_view text, std::size_t most) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Continuation bytes belong to the character before them.
    if ((static_cast<unsigned char>(text[i]) & 0xc0U) == 0x80U && i > 0) continue;
    if (characters++ == most) return std::string(text.substr(0, i)) + "\u2026";
  }
  return std::string(text);
}

std::string EscapedText(std::string_view text, EscapeStyle style) {
  std::string quoted = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (style == EscapeStyle::Json) {
      if (byte < 0x20) {
        quoted += "\\u00" + HexByte(byte);
      } else if (byte < 0x80) {
        quoted += c;
      } else if (const std::size_t length = Utf8Length(text, i); length > 0) {
        quoted.append(text.substr(i, length));
        i += length - 1;
      } else {
        quoted += "\\u00" + HexByte(byte);
      }
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (byte < 0x20 || byte == 0x7f) {
      quoted += "\\x" + HexByte(byte);
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string HtmlEscaped(std::string_view text) {
  std::string html;
  for (const char c : text) {
    switch (c) {
      case '&': html += "&amp;"; break;
      case '<': html += "&lt;"; break;
      case '>': html += "&gt;"; break;
      case '"': html += "&quot;"; break;
      default: html += c;
    }
  }
  return html;
}

std::string Quoted(const std::string& text) { return EscapedText(Abridged(text), EscapeStyle::Message); }

}  // namespace switchsim
