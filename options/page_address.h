#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "form/choose_boxes.h"
#include "options/option_table.h"

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

/// The query of a link to the page as the user has it now (without the
/// "?"): the boxes of `form` (a rate the circuit shows in red at the user's
/// own rate), the speed, and the view's zoom and projector, every value
/// percent-encoded, such that ReadPageQuery reads the same back.
std::string ShareQuery(const FormLogic& form, double speed, const Zoom& zoom, bool projector);

/// A query's value: letters, digits and "-._~," as they are, the rest as "%HH".
std::string QueryEncoded(std::string_view text);

/// An HTML snippet that shows the page at `address` in another page's frame,
/// with the address escaped for an attribute: a frame as wide as the form
/// and as high as the form with the framed page's run bar under it, which
/// is `run_bar_px` CSS px high.
std::string EmbedSnippet(std::string_view address, int run_bar_px);

}  // namespace switchsim
