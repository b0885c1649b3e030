#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "choose_boxes.h"
#include "option_table.h"

namespace switchsim {

/// What a shared link's address asks of the page: the boxes it names, the
/// first run's seed, the speed, and whether to start at once.
using PageRequest = RunRequest;

/// Reads the query of a page's address ("?technique=Circuit&rates=10,0.5,10
/// &start=1", with or without the "?"), percent-decoded, with the options
/// table's names and checks; a flag takes 1, 0, yes, no, true, false or no
/// value (yes). Returns the request, or one line that names the parameter
/// and its value and says what is allowed; a request is taken whole or not
/// at all.
std::variant<PageRequest, std::string> ReadPageQuery(std::string_view query);

}  // namespace switchsim
