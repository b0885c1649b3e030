#include <memory>

#include "po/compiled_catalogs.h"
#include "text/catalog.h"
#include "text/languages.h"
#include "text/translation.h"

namespace switchsim {

bool UseCompiledLanguage(std::string_view code) {
  if (code == kEnglish) {
    UseCatalog(nullptr);
    return true;
  }
  auto catalog = Catalog::Read(CompiledCatalog(code));
  if (!catalog || catalog->Size() == 0) return false;
  UseCatalog(std::make_shared<const Catalog>(std::move(*catalog)));
  return true;
}

}  // namespace switchsim
