// The form's handlers on the driver's surface, and the helpers the front
// ends share: the continuous-time model and the escaping of texts.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "formulas/continuous_time.h"
#include "text/json_writer.h"
#include "simulation/random_source.h"
#include "recording_view.h"
#include "text/text_escape.h"

namespace switchsim::testing {
namespace {

struct RunResult {
  std::vector<Completion> completions;
  std::vector<Stroke> strokes;
};

// A whole Message run at rates 2, 5 and 10, with `prepare` acting on the
// boxes straight after Start.
template <typename Prepare>
RunResult MessageRun(Prepare prepare) {
  Mt64Random random(3);
  Rig rig(random);
  for (int k = 0; k < kLinkCount; ++k) rig.ChooseRate(k, std::array{"2.0", "5.0", "10.0"}[k]);
  rig.form.cmdStart_Click(0);
  prepare(rig);
  rig.view.strokes.clear();
  rig.RunToEnd();
  return {rig.view.completions, rig.view.strokes};
}

TEST(FormHandlers, AnUnusableRateOnAnyLinkFallsBackToThatLinksSavedRate) {
  const RunResult usable = MessageRun([](Rig&) {});
  ASSERT_EQ(usable.completions.size(), 1U);
  for (int link = 0; link < kLinkCount; ++link) {
    for (const char* text : {"abc", "0", "-1", "nan", "1e400"}) {
      const RunResult refused = MessageRun([&](Rig& rig) { rig.ChooseRate(link, text); });
      ASSERT_EQ(refused.completions.size(), 1U) << link << " " << text;
      EXPECT_EQ(refused.completions[0].clock_ms, usable.completions[0].clock_ms)
          << "link " << link << " reading " << text;
      EXPECT_EQ(refused.strokes.size(), usable.strokes.size()) << link << " " << text;
    }
  }
}

TEST(FormHandlers, ClearingHidesEveryMarkerAndClearsEveryTrace) {
  Mt64Random random(3);
  Rig rig(random);
  const auto before = rig.view.clears_by_link;
  const int hides = rig.view.marker_hides;
  rig.ChooseDelay(1, "200");
  EXPECT_EQ(rig.view.marker_hides, hides + 1);
  for (int k = 0; k < kLinkCount; ++k) EXPECT_EQ(rig.view.clears_by_link[k], before[k] + 1) << k;
}

TEST(FormHandlers, ASizeChangeDuringACircuitRunReachesTheDataPassedOnLater) {
  Mt64Random random(3);
  Rig rig(random);
  rig.ChooseMethod("Circuit");
  rig.form.cmdStart_Click(0);
  // The acknowledgement has come back and the data is on link 0, its first
  // bit not yet at Router A.
  while (!(rig.State().UnitTable[1].Status == kOnLink && rig.State().UnitTable[1].Head < 1)) {
    rig.form.Timer1_Timer();
  }
  const int hides = rig.view.marker_hides;
  rig.ChooseSize("1000");
  EXPECT_EQ(rig.view.marker_hides, hides + 1);
  while (rig.State().UnitTable[3].Status != kOnLink) rig.form.Timer1_Timer();
  EXPECT_EQ(rig.State().UnitTable[1].Blocks, 15);  // set up from size 300
  EXPECT_EQ(rig.State().UnitTable[2].Blocks, 50);  // passed on after the change
  EXPECT_EQ(rig.State().UnitTable[3].Blocks, 50);
  EXPECT_EQ(rig.State().UnitTable[3].Link, 2);
  EXPECT_EQ(rig.State().UnitTable[3].Colour, kCircuitBlue);
}

TEST(TextEscape, QuotesWhatWouldBreakALineOrJson) {
  struct Case {
    std::string text;
    const char* message;
    const char* json;
  };
  const Case cases[] = {
      {"1.0", R"("1.0")", R"("1.0")"},
      {"a\"b\\c", R"("a\"b\\c")", R"("a\"b\\c")"},
      {"1\x01", R"("1\x01")", R"("1\u0001")"},
      {"\x1f ", R"("\x1f ")", R"("\u001f ")"},
      {"a\nb\tc\r", R"("a\nb\tc\r")", R"("a\u000ab\u0009c\u000d")"},
      {"\x7f", R"("\x7f")", "\"\x7f\""},
      {"\xc3\x9c", "\"\xc3\x9c\"", "\"\xc3\x9c\""},              // Ü passes as it is
      {"1\xff", "\"1\xff\"", R"("1\u00ff")"},                    // not UTF-8
      {"\xc3", "\"\xc3\"", R"("\u00c3")"},                       // cut short
      {"\xed\xa0\x80", "\"\xed\xa0\x80\"", R"("\u00ed\u00a0\u0080")"},  // a surrogate
      {"\xf0\x9f\x98\x80", "\"\xf0\x9f\x98\x80\"", "\"\xf0\x9f\x98\x80\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EscapedText(c.text, EscapeStyle::Message), c.message) << c.text;
    EXPECT_EQ(EscapedText(c.text, EscapeStyle::Json), c.json) << c.text;
  }
}

TEST(ContinuousTime, StoreAndForwardAndCircuitByHand) {
  LinkModel model{{2.0, 10.0, 0.5}, {20, 200, 100}, 1000, {}};
  // Message: 50 blocks, 2500 + 500 + 10000 ms on the links, 100 + 1000 + 500 across.
  EXPECT_DOUBLE_EQ(ContinuousCompletionMs("Message", model), 14600.0);
  // Circuit: 2 x (50 + 10 + 200 + 1600) + 200 x 50 + 1600.
  EXPECT_DOUBLE_EQ(ContinuousCompletionMs("Circuit", model), 15320.0);
  // Packets: the last link is the slowest, 400 ms a packet; the first reaches
  // it at 100 + 100 + 20 + 1000 = 1220, and 25 packets leave it 10000 ms later.
  EXPECT_DOUBLE_EQ(ContinuousCompletionMs("Packet", model), 1220.0 + 10000.0 + 500.0);
  EXPECT_TRUE(std::isnan(ContinuousCompletionMs("Other", model)));
}

// The one JSON writer: commas between values, never after a key, and texts
// that stay valid JSON whatever bytes they hold.
TEST(JsonWriter, WritesValidTextWhateverItHolds) {
  const std::pair<std::string, std::string> texts[] = {
      {"plain", R"("plain")"},   {"a\"b", R"("a\"b")"},         {"a\\b", R"("a\\b")"},
      {"tab\t", R"("tab\u0009")"}, {"\xc3\x9c", "\"\xc3\x9c\""}, {"\xff", R"("\u00ff")"}};
  for (const auto& [text, json] : texts) {
    std::string out;
    JsonWriter(out).Text(text);
    EXPECT_EQ(out, json) << text;
  }
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("a").Integer(-1).Key("b").Open('[').Number(0.5).Null().Bool(true);
  json.Close(']').Key("c").Unsigned(18446744073709551615ULL).Key("d").Number(INFINITY);
  json.Key("e").Colour(0x0a0b0c).Close('}').EndLine();
  EXPECT_EQ(out, R"({"a":-1,"b":[0.5,null,true],"c":18446744073709551615,"d":null,"e":"#0a0b0c"})"
                 "\n");
}

}  // namespace
}  // namespace switchsim::testing
