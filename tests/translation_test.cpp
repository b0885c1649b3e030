#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "po/compiled_catalogs.h"
#include "text/catalog.h"
#include "text/languages.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// A catalog compiled by gettext's own msgfmt from a .po written here.
std::string CompiledFrom(const std::string& po) {
  const auto dir = std::filesystem::temp_directory_path() / ("switchsim-po-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "t.po") << po;
  const std::string command = "msgfmt -o '" + (dir / "t.mo").string() + "' '" + (dir / "t.po").string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::ifstream mo(dir / "t.mo", std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(mo), {}};
  std::filesystem::remove_all(dir);
  return bytes;
}

constexpr const char* kGerman = R"(msgid ""
msgstr ""
"Language: de\n"
"Content-Type: text/plain; charset=UTF-8\n"
"Plural-Forms: nplurals=2; plural=(n != 1);\n"

msgid "Start"
msgstr "Starten"

msgctxt "decimal separator"
msgid "."
msgstr ","

msgid "{0} arrived after {1} ms"
msgstr "Nach {1} ms kam {0} an"

msgid "{0} run"
msgid_plural "{0} runs"
msgstr[0] "{0} Lauf"
msgstr[1] "{0} Läufe"

msgid "Untranslated"
msgstr ""
)";

class TranslationTest : public ::testing::Test {
 protected:
  void TearDown() override { UseCatalog(nullptr); }
  void UseGerman() {
    auto catalog = Catalog::Read(CompiledFrom(kGerman));
    ASSERT_TRUE(catalog);
    UseCatalog(std::make_shared<const Catalog>(std::move(*catalog)));
  }
};

TEST_F(TranslationTest, EnglishWithoutACatalogIsTheCodesOwnText) {
  EXPECT_EQ(Tr("Start"), "Start");
  EXPECT_EQ(TrN("{0} run", "{0} runs", 2), "{0} runs");
  EXPECT_EQ(PeopleNumber("6287.5"), "6287.5");
  EXPECT_EQ(CurrentLanguage(), "en");
}

TEST_F(TranslationTest, ACatalogTranslatesTextsContextsAndPlurals) {
  UseGerman();
  EXPECT_EQ(CurrentLanguage(), "de");
  EXPECT_EQ(Tr("Start"), "Starten");
  EXPECT_EQ(Tr("Untranslated"), "Untranslated");
  EXPECT_EQ(Tr("Not in the catalog"), "Not in the catalog");
  EXPECT_EQ(Tr("."), ".");  // only in its context
  EXPECT_EQ(Fill(Tr("{0} arrived after {1} ms"), {"Packet", "40"}), "Nach 40 ms kam Packet an");
  EXPECT_EQ(Fill(TrN("{0} run", "{0} runs", 1), {"1"}), "1 Lauf");
  EXPECT_EQ(Fill(TrN("{0} run", "{0} runs", 0), {"0"}), "0 Läufe");
}

TEST_F(TranslationTest, PeopleNumbersTakeTheLanguagesSeparatorBetweenDigitsOnly) {
  UseGerman();
  EXPECT_EQ(PeopleNumber("6287.5"), "6287,5");
  EXPECT_EQ(PeopleNumber("-0.25 ms and 1.0"), "-0,25 ms and 1,0");
  EXPECT_EQ(PeopleNumber("v1. .5 5."), "v1. .5 5.");
}

TEST(FillTest, PlaceholdersTakeTheirValuesInAnyOrder) {
  EXPECT_EQ(Fill("{1} then {0}, {0}", {"a", "b"}), "b then a, a");
  EXPECT_EQ(Fill("{2} has no value, {x} is none", {"a"}), "{2} has no value, {x} is none");
  EXPECT_EQ(Fill("{0}", {"{1}", "b"}), "{1}");
}

TEST(CatalogTest, BytesThatAreNoCatalogAreRefusedWithAReason) {
  const std::string good = CompiledFrom(kGerman);
  std::string reason;
  struct Case {
    const char* what;
    std::string bytes;
  };
  std::string far_table = good;
  far_table[12] = '\xff';  // the originals' table far past the end
  std::string far_text = good;
  far_text[35] = '\x7f';  // the first text's offset (bytes 32 to 35) far past the end
  const std::vector<Case> cases = {
      {"empty", ""}, {"truncated", good.substr(0, 20)}, {"no magic", std::string(64, 'x')},
      {"table outside", far_table}, {"text outside", far_text}};
  for (const Case& c : cases) {
    reason.clear();
    EXPECT_FALSE(Catalog::Read(c.bytes, &reason)) << c.what;
    EXPECT_FALSE(reason.empty()) << c.what;
  }
}

TEST(LanguagesTest, TagsOfBrowsersAndLocalesNameTheLanguage) {
  struct Case {
    const char* tag;
    std::optional<std::string_view> language;
  };
  for (const Case& c : std::vector<Case>{{"de", "de"},
                                          {"de-AT", "de"},
                                          {"de_DE.UTF-8", "de"},
                                          {"ES_es@euro", "es"},
                                          {"es-419", "es"},
                                          {"en-GB", "en"},
                                          {"pseudo", "pseudo"},
                                          {"dex", std::nullopt},
                                          {"fr-FR", std::nullopt},
                                          {"C", std::nullopt},
                                          {"", std::nullopt}}) {
    EXPECT_EQ(LanguageOfTag(c.tag), c.language) << c.tag;
  }
  const std::vector<std::string> browser = {"fr-CA", "pt-BR", "es-MX", "de"};
  EXPECT_EQ(PreferredLanguage(browser), "es");
  EXPECT_EQ(PreferredLanguage(std::vector<std::string>{"fr", "C"}), "en");
}

TEST(CompiledCatalogTest, TheProgramsCarryEveryLanguagesCatalog) {
  for (const Language& language : kLanguages) {
    if (language.code == kEnglish) continue;
    EXPECT_TRUE(Catalog::Read(CompiledCatalog(language.code))) << language.code;
    EXPECT_TRUE(UseCompiledLanguage(language.code)) << language.code;
    EXPECT_EQ(CurrentLanguage(), language.code);
  }
  EXPECT_TRUE(UseCompiledLanguage("en"));
  EXPECT_EQ(CurrentLanguage(), "en");
  EXPECT_FALSE(UseCompiledLanguage("fr"));
  EXPECT_EQ(CurrentLanguage(), "en");
}

}  // namespace
}  // namespace switchsim
