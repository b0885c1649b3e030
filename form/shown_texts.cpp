#include "form/shown_texts.h"

#include "text/translation.h"

namespace switchsim {

std::string ShownText(std::string_view state_text) { return Tr(state_text); }

}  // namespace switchsim
