#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

namespace switchsim {

/// "line 4, column 14": where byte `offset` of `bytes` is, both from 1,
/// columns counted in characters of UTF-8.
std::string LineAndColumn(std::string_view bytes, std::size_t offset);

/// Reads a JSON text once, with the maintained library's reader, into its
/// values and where each of them begins, by its path ("/exercises/2/size";
/// "" the whole text). `bytes` is borrowed and must outlive it.
class SheetPositions {
 public:
  explicit SheetPositions(std::string_view bytes) : bytes_(bytes) {}

  /// Reads the text into `values` and notes the positions of the values
  /// three levels deep at most. Returns nothing, or the first problem with
  /// its line and column and what was expected there (then `values` means
  /// nothing); a member given twice in one object is a problem too.
  std::optional<std::string> Scan(nlohmann::json& values);

  /// The offset of the value at `path`; 0 for a path not noted.
  std::size_t Of(const std::string& path) const;

 private:
  std::string_view bytes_;
  std::map<std::string, std::size_t> starts_;
};

}  // namespace switchsim
