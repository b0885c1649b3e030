#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace switchsim {

/// Why the page does not load the sheet a link names, or nothing: a sheet
/// is a file of the page's own site, named by a path relative to the page
/// ("sheets/week3.json") of letters, digits, '.', '_', '-' and '/', that
/// stays within the page's folder. An address of another site, a path from
/// the site's root and ".." above the page's folder are refused.
std::optional<std::string> SheetAddressRefusal(std::string_view name);

}  // namespace switchsim
