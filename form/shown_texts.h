#pragma once

#include <string>
#include <string_view>

// What a front end shows of the form's state texts: a caption ("Start",
// "Cont"), a label's caption ("Bit-Rate"), a node's name ("Router A") or a
// technique's name ("Message"), as form/lists.h keeps them in English.
namespace switchsim {

/// `state_text`, one of the texts of form/lists.h, in the language in use;
/// any other text unchanged (in English, every text unchanged). The form's
/// rules keep comparing the English texts: only what is shown goes through here.
std::string ShownText(std::string_view state_text);

}  // namespace switchsim
