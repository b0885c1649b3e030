#include "text/catalog.h"

#include <cstdint>

namespace switchsim {
namespace {

inline constexpr std::uint32_t kMagic = 0x950412de;
inline constexpr std::uint32_t kSwappedMagic = 0xde120495;
inline constexpr std::size_t kHeaderBytes = 28;

/// Reads the catalog's 32-bit words in the byte order its magic number says.
class Words {
 public:
  Words(std::string_view bytes, bool swapped) : bytes_(bytes), swapped_(swapped) {}

  std::optional<std::uint32_t> At(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < 4) return std::nullopt;
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i) {
      const auto byte = static_cast<std::uint8_t>(bytes_[offset + (swapped_ ? i : 3 - i)]);
      word = (word << 8U) | byte;
    }
    return word;
  }

  /// The text a (length, offset) pair of a table names, or nullopt if it
  /// lies outside the bytes.
  std::optional<std::string_view> Text(std::size_t pair) const {
    const auto length = At(pair);
    const auto offset = At(pair + 4);
    if (!length || !offset || *offset > bytes_.size() || bytes_.size() - *offset < *length) return std::nullopt;
    return bytes_.substr(*offset, *length);
  }

 private:
  std::string_view bytes_;
  bool swapped_;
};

std::optional<std::uint32_t> MagicOrder(std::string_view bytes, bool& swapped) {
  if (bytes.size() < kHeaderBytes) return std::nullopt;
  const auto magic = Words(bytes, false).At(0);
  swapped = magic == kSwappedMagic;
  if (magic != kMagic && !swapped) return std::nullopt;
  return magic;
}

std::string HeaderField(std::string_view header, std::string_view field) {
  for (std::size_t start = 0; start < header.size();) {
    const std::size_t end = std::min(header.find('\n', start), header.size());
    const std::string_view line = header.substr(start, end - start);
    if (line.starts_with(field)) {
      std::string_view value = line.substr(field.size());
      while (value.starts_with(' ')) value.remove_prefix(1);
      return std::string(value);
    }
    start = end + 1;
  }
  return {};
}

}  // namespace

std::optional<Catalog> Catalog::Read(std::string_view bytes, std::string* error) {
  const auto fail = [error](const char* reason) -> std::optional<Catalog> {
    if (error != nullptr) *error = reason;
    return std::nullopt;
  };
  bool swapped = false;
  if (!MagicOrder(bytes, swapped)) return fail("not a compiled message catalog");
  const Words words(bytes, swapped);
  const auto count = words.At(8);
  const auto originals = words.At(12);
  const auto translations = words.At(16);
  if (!count || !originals || !translations || *count > bytes.size() / 16) {
    return fail("the catalog's tables lie outside it");
  }
  Catalog catalog;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const auto original = words.Text(*originals + std::size_t{i} * 8);
    const auto translation = words.Text(*translations + std::size_t{i} * 8);
    if (!original || !translation) return fail("a text of the catalog lies outside it");
    if (original->empty()) {
      catalog.language_ = HeaderField(*translation, "Language:");
      continue;
    }
    if (translation->empty()) continue;
    // A plural entry's msgid is "singular\0plural"; it is looked up by its singular.
    catalog.entries_.emplace(std::string(original->substr(0, original->find('\0'))), std::string(*translation));
  }
  return catalog;
}

const std::string* Catalog::Find(std::string_view key) const {
  const auto found = entries_.find(std::string(key));
  return found == entries_.end() ? nullptr : &found->second;
}

}  // namespace switchsim
