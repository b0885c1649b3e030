#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace switchsim {

/// "line 4, column 14": where byte `offset` of `bytes` is, both from 1,
/// columns counted in characters of UTF-8.
std::string LineAndColumn(std::string_view bytes, std::size_t offset);

/// Where each value of a JSON text begins, by its path ("/exercises/2/size";
/// "" the whole text), found while the text is checked for JSON syntax.
/// `bytes` is borrowed and must outlive it.
class SheetPositions {
 public:
  explicit SheetPositions(std::string_view bytes) : bytes_(bytes) {}

  /// Checks the syntax and notes the positions of the values three levels
  /// deep at most. Returns nothing, or the first problem with its line and
  /// column and what was expected there; a member given twice in one
  /// object is a problem too.
  std::optional<std::string> Scan();

  /// The offset of the value at `path`; 0 for a path not noted.
  std::size_t Of(const std::string& path) const;

 private:
  std::string_view bytes_;
  std::map<std::string, std::size_t> starts_;
};

}  // namespace switchsim
