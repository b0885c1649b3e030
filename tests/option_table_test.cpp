// One table of options for the driver, the window and a page's address:
// each front end reads its own rows, refuses the others', and lists its own
// in its help.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "options/option_table.h"
#include "options/page_address.h"
#include "options/sheet_address.h"
#include "po/compiled_catalogs.h"

namespace switchsim {
namespace {

// A value each option takes, so that every row can be given.
std::string GoodValue(const OptionRow& row) {
  if (row.name == "technique") return "Packet";
  if (row.name == "size") return "1000";
  if (row.name == "rates") return "2,2,2";
  if (row.name == "delays") return "20,20,20";
  if (row.name == "speed") return "4";
  if (row.name == "png") return "picture.png";
  if (row.name == "svg") return "picture.svg";
  if (row.name == "zoom") return "fit";
  if (row.name == "sweep") return "rate2=0.5:10:0.5";
  if (row.name == "svg") return "curves.svg";
  if (row.name == "ask") return "completion";
  if (row.name == "question") return "When?";
  if (row.name == "exercises" || row.name == "check-exercises") return "sheet.json";
  if (row.name == "active" || row.name == "user-rate") return "0.1";
  if (row.name == "intensity") return "0.5";
  if (row.name == "lang") return "de";
  return "7";
}

// The lab whose option this is, which must be given with it; none for the others.
std::string_view LabOf(const OptionRow& row) {
  for (const std::string_view name : {"users", "active", "user-rate", "link-rate", "burst", "slots"}) {
    if (row.name == name) return "share";
  }
  for (const std::string_view name : {"intensity", "buffer", "packets"}) {
    if (row.name == name) return "queue";
  }
  return {};
}

// Whether the option asks about the exercise of --predict, and is taken only with it.
bool GoesWithPredict(const OptionRow& row) {
  return row.name == "ask" || row.name == "tolerance" || row.name == "question";
}

// Whether a row of this name, maybe another one, is an option of `front_end`.
bool NameOffered(const OptionRow& row, FrontEnd front_end) {
  for (const OptionRow& other : OptionTable()) {
    if (other.name == row.name && Offers(other, front_end)) return true;
  }
  return false;
}

TEST(OptionTable, EachFrontEndTakesItsRowsRefusesTheOthersAndListsThem) {
  for (const FrontEnd front_end : {FrontEnd::Driver, FrontEnd::Window}) {
    const std::string help = OptionHelp(front_end);
    for (const OptionRow& row : OptionTable()) {
      const std::string option = "--" + std::string(row.name);
      std::vector<std::string> args{option};
      if (!row.value.empty()) args.push_back(GoodValue(row));
      if (GoesWithPredict(row) && Offers(row, front_end)) args.push_back("--predict");
      if (!LabOf(row).empty() && Offers(row, front_end)) args.push_back("--" + std::string(LabOf(row)));
      const auto read = ReadCommandLine(args, front_end);
      if (!Offers(row, front_end)) {
        if (NameOffered(row, front_end)) continue;
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << option;
        EXPECT_EQ(std::get<std::string>(read).find("\"" + option + "\" is not an option"), 0U);
        EXPECT_EQ(help.find(option + " "), std::string::npos) << option;
        continue;
      }
      ASSERT_TRUE(std::holds_alternative<RunRequest>(read)) << option;
      const RunRequest& request = std::get<RunRequest>(read);
      EXPECT_TRUE(request.Given(row.name)) << option;
      if (row.flag != nullptr) {
        EXPECT_TRUE(request.*(row.flag)) << option;
      }
      EXPECT_NE(help.find(option), std::string::npos) << option;
      EXPECT_NE(help.find(row.help), std::string::npos) << option;
    }
  }
  const auto request = std::get<RunRequest>(ReadCommandLine({"-h", "--seed=5"}, FrontEnd::Window));
  EXPECT_TRUE(request.help);
  EXPECT_EQ(request.seed, 5U);
}

TEST(OptionTable, AnAddressTakesThePageRowsWithYesOrNoForAFlag) {
  for (const OptionRow& row : OptionTable()) {
    const std::string value = row.value.empty() ? "yes" : GoodValue(row);
    const auto read = ReadPageQuery(std::string(row.name) + "=" + value + (GoesWithPredict(row) ? "&predict=1" : "") +
                                    (LabOf(row).empty() ? "" : "&" + std::string(LabOf(row)) + "=1"));
    EXPECT_EQ(std::holds_alternative<PageRequest>(read), NameOffered(row, FrontEnd::Page)) << row.name;
  }
  const auto off = std::get<PageRequest>(ReadPageQuery("start=no&speed=0.5"));
  EXPECT_FALSE(off.start);
  EXPECT_EQ(off.speed, 0.5);
  // The driver runs any multiple of 20; a page's size box keeps its list.
  EXPECT_TRUE(std::holds_alternative<RunRequest>(ReadCommandLine({"--size", "260"}, FrontEnd::Driver)));
  EXPECT_TRUE(std::holds_alternative<std::string>(ReadPageQuery("size=260")));
  EXPECT_TRUE(std::holds_alternative<std::string>(ReadCommandLine({"--size", "260"}, FrontEnd::Window)));
  // An exercise's run starts with its answer, never at once; a kind that needs a sheet needs one.
  for (const char* query : {"predict=1&start=1", "start=1&exercises=a.json", "predict=1&ask=crossover",
                            "predict=1&ask=fastest&tolerance=10"}) {
    EXPECT_TRUE(std::holds_alternative<std::string>(ReadPageQuery(query))) << query;
  }
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--predict", "--start"}, {"--exercises", "a.json", "--start"}, {"--predict", "--ask", "Which-Change"}}) {
    EXPECT_TRUE(std::holds_alternative<std::string>(ReadCommandLine(args, FrontEnd::Window))) << args.back();
  }
  EXPECT_TRUE(std::holds_alternative<PageRequest>(ReadPageQuery("predict=1&ask=Fastest")));
}

TEST(OptionTable, ManualPagesListTheirFrontEndsOptions) {
  const std::string driver = OptionManual(FrontEnd::Driver);
  EXPECT_NE(driver.find(".BI \\-\\-png \" FILE\"\nAlso write a picture"), std::string::npos) << driver;
  EXPECT_NE(driver.find(".BR \\-h \", \" \\-\\-help\n"), std::string::npos);
  EXPECT_EQ(driver.find("\\-\\-speed"), std::string::npos);
  EXPECT_NE(OptionManual(FrontEnd::Window).find(".B \\-\\-start\nStart the run at once.\n"),
            std::string::npos);
}

// In the pseudo-language every help text and refusal comes out bracketed,
// while the options' names and values stay as they are.
TEST(OptionTable, HelpAndRefusalsGoThroughTheCatalog) {
  ASSERT_TRUE(UseCompiledLanguage("pseudo"));
  const std::string help = OptionHelp(FrontEnd::Window);
  const std::string manual = OptionManual(FrontEnd::Driver);
  std::vector<std::string> refusals;
  for (const char* query : {"bogus=1", "size=%zz", "start=1&start=1", "tolerance=5", "users=5", "start=maybe",
                            "share=1&queue=1", "predict=1&ask=crossover"}) {
    const auto read = ReadPageQuery(query);
    refusals.push_back(std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : query);
  }
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--bogus"}, {"--png"}, {"--png="}, {"--json=1"}, {"--lang", "xx"}, {"--users", "5"}, {"--share", "--queue"}}) {
    const auto read = ReadCommandLine(args, FrontEnd::Driver);
    refusals.push_back(std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : args[0]);
  }
  refusals.push_back(SheetAddressRefusal("/a.json").value_or("/a.json"));
  UseCompiledLanguage("en");
  for (const OptionRow& row : OptionTable()) {
    if (Offers(row, FrontEnd::Window)) {
      EXPECT_NE(help.find("--" + std::string(row.name)), std::string::npos) << row.name;
      EXPECT_NE(help.find("[" + std::string(row.help)), std::string::npos) << row.help;
    }
  }
  EXPECT_NE(manual.find("[Message, Circuit or Packet"), std::string::npos) << manual;
  for (const std::string& refusal : refusals) {
    EXPECT_NE(refusal.find('['), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("~]"), std::string::npos) << refusal;
  }
  EXPECT_EQ(OptionHelp(FrontEnd::Driver).find('['), std::string::npos);
}

}  // namespace
}  // namespace switchsim
