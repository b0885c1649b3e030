#include "text/json_writer.h"

#include <array>
#include <charconv>
#include <cmath>

#include "simulation/numbers.h"
#include "text/text_escape.h"

namespace switchsim {
namespace {

// Most keys and texts need no escape; those are copied as they are.
bool Plain(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x80 || c == '"' || c == '\\') return false;
  }
  return true;
}

void AppendQuoted(std::string& out, std::string_view text) {
  if (Plain(text)) {
    out += '"';
    out += text;
    out += '"';
  } else {
    out += EscapedText(text, EscapeStyle::Json);
  }
}

template <typename Whole>
void AppendWhole(std::string& out, Whole value) {
  std::array<char, 24> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
  out.append(text.data(), result.ptr);
}

}  // namespace

std::string HexColour(Rgb colour) {
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(colour >> shift) & 0xfU];
  return text;
}

void JsonWriter::Comma() {
  if (!first_) out_ += ',';
  first_ = false;
}

JsonWriter& JsonWriter::Open(char bracket) {
  Comma();
  out_ += bracket;
  first_ = true;
  return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
  out_ += bracket;
  first_ = false;
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  Comma();
  AppendQuoted(out_, key);
  out_ += ':';
  first_ = true;  // the value that follows takes no comma
  return *this;
}

JsonWriter& JsonWriter::Text(std::string_view text) {
  Comma();
  AppendQuoted(out_, text);
  return *this;
}

JsonWriter& JsonWriter::Integer(long long value) {
  Comma();
  AppendWhole(out_, value);
  return *this;
}

JsonWriter& JsonWriter::Unsigned(std::uint64_t value) {
  Comma();
  AppendWhole(out_, value);
  return *this;
}

JsonWriter& JsonWriter::Number(double value) {
  if (!std::isfinite(value)) return Null();
  Comma();
  AppendShortestText(out_, value);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  Comma();
  out_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  Comma();
  out_ += "null";
  return *this;
}

JsonWriter& JsonWriter::Colour(Rgb colour) { return Text(HexColour(colour)); }

JsonWriter& JsonWriter::EndLine() {
  out_ += '\n';
  first_ = true;
  return *this;
}

}  // namespace switchsim
