# Writes OUTPUT, a C++ file that holds the compiled catalogs FILES (LANG.mo
# by language) as byte arrays, behind CompiledCatalog().
set(arrays "")
set(rows "")
foreach(file IN LISTS FILES)
  cmake_path(GET file STEM lang)
  string(MAKE_C_IDENTIFIER "k_${lang}" name)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND arrays "inline constexpr char ${name}[] = {${bytes} '\\0'};\n")
  string(APPEND rows "    {\"${lang}\", std::string_view(${name}, ${size})},\n")
endforeach()
file(WRITE ${OUTPUT}.tmp "// Written by po/embed.cmake from the compiled catalogs.
#include \"po/compiled_catalogs.h\"

#include <array>

namespace switchsim {
namespace {

${arrays}
struct Compiled {
  std::string_view language;
  std::string_view bytes;
};

}  // namespace

std::string_view CompiledCatalog(std::string_view language) {
  static const std::array kCompiled = std::to_array<Compiled>({
${rows}  });
  for (const Compiled& compiled : kCompiled) {
    if (compiled.language == language) return compiled.bytes;
  }
  return {};
}

}  // namespace switchsim
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
