// The driver's refusals stay on one line whatever the value holds, and name
// an unknown option as unknown even when it is given twice.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "tools/options.h"

namespace switchsim::trace {
namespace {

struct Refusal {
  const char* name;
  std::vector<std::string> args;
  const char* message;
};

class Refusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refusals, AreOneLineNamingWhatWasGiven) {
  const auto parsed = ParseOptions(GetParam().args);
  ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
  const std::string& message = std::get<UsageError>(parsed).message;
  EXPECT_EQ(message.find_first_of("\n\r"), std::string::npos) << message;
  EXPECT_EQ(message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Refusals,
    ::testing::Values(
        Refusal{"LineBreakInATechnique", {"--technique", "a\nb"},
                "--technique: \"a\\nb\" is not a technique; use one of Message, Circuit, Packet"},
        Refusal{"ReturnAndTabInARate", {"--rates", "1,\r\t,1"},
                "--rates: \"\\r\\t\" is not a positive number"},
        Refusal{"ControlCharacterInASize", {"--size", "3\x01" "00"},
                "--size: \"3\\x0100\" is not a message size; use a multiple of 20 from 20 to 1000"},
        Refusal{"QuotesAndBackslashInASize", {"--size", "say \"hi\" \\"},
                "--size: \"say \\\"hi\\\" \\\\\" is not a message size; use a multiple of 20 from 20 to 1000"},
        Refusal{"NonAsciiTechnique", {"--technique", "\xc3\x9c"},
                "--technique: \"\xc3\x9c\" is not a technique; use one of Message, Circuit, Packet"},
        Refusal{"LineBreakInAnOption", {"--x\ny"},
                "\"--x\\ny\" is not an option; see --help for --technique, --size, --rates, "
                "--delays, --packet, --header, --seed, --json, --compare, --timing, --png, --additions, --sweep, --seeds, --csv, --svg, --check-exercises, --course, --share, --users, --active, --user-rate, --link-rate, --burst, --slots, --queue, --intensity, --buffer, --packets, --lang, --version"},
        Refusal{"UnknownWordGivenTwice", {"extra", "extra"},
                "\"extra\" is not an option; see --help for --technique, --size, --rates, "
                "--delays, --packet, --header, --seed, --json, --compare, --timing, --png, --additions, --sweep, --seeds, --csv, --svg, --check-exercises, --course, --share, --users, --active, --user-rate, --link-rate, --burst, --slots, --queue, --intensity, --buffer, --packets, --lang, --version"},
        Refusal{"PngGivenTwiceInTwoForms", {"--png", "a.png", "--png=b.png"},
                "--png: given more than once"},
        Refusal{"HelpGivenTwiceInTwoForms", {"-h", "--help"}, "--help: given more than once"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace switchsim::trace
