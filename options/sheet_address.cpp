#include "options/sheet_address.h"

#include <algorithm>

#include "text/text_escape.h"
#include "text/translation.h"

namespace switchsim {
namespace {

bool FileNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '_' || c == '-' || c == '/';
}

}  // namespace

std::optional<std::string> SheetAddressRefusal(std::string_view name) {
  const std::string quoted = "\"" + Abridged(name) + "\"";
  const auto said = [&quoted](std::string_view pattern) { return Fill(pattern, {quoted}); };
  if (name.empty()) return said(Tr("The sheet {0} names no file"));
  if (name.find("//") != std::string_view::npos || name.find(':') != std::string_view::npos) {
    return said(Tr("The sheet {0} is on another site: a sheet is loaded only from this page's own site"));
  }
  if (name.front() == '/') {
    return said(Tr("The sheet {0} starts at the site's root: name it from the page's folder, as sheets/week3.json"));
  }
  for (const char c : name) {
    if (!FileNameChar(c)) {
      return said(Tr("The sheet {0} is not a file name: use letters, digits, '.', '_', '-' and '/'"));
    }
  }
  int depth = 0;  // folders below the page's
  std::size_t from = 0;
  while (from <= name.size()) {
    const std::size_t end = std::min(name.find('/', from), name.size());
    const std::string_view segment = name.substr(from, end - from);
    if (segment == "..") {
      if (--depth < 0) return said(Tr("The sheet {0} lies outside the page's folder"));
    } else if (!segment.empty() && segment != ".") {
      ++depth;
    }
    from = end + 1;
  }
  return std::nullopt;
}

}  // namespace switchsim
