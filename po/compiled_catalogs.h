#pragma once

#include <string_view>

namespace switchsim {

/// The bytes of a language's compiled catalog (gettext's .mo), built into
/// the program from po/LANG.po, or for "pseudo" from the template; empty for
/// English and for a language with no catalog. The bytes live as long as the
/// program.
std::string_view CompiledCatalog(std::string_view language);

}  // namespace switchsim

namespace switchsim {

/// Puts the language `code` (one of kLanguages' codes) in use for every
/// later translation, from the catalog built into the program; English for
/// "en". Returns false, leaving the language in use as it was, when the
/// program has no readable catalog of that language.
bool UseCompiledLanguage(std::string_view code);

}  // namespace switchsim
