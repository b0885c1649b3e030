#include "web/web_form.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "options/page_address.h"
#include "options/sheet_address.h"
#include "tools/svg_picture.h"

namespace switchsim {
namespace {

struct QueryCase {
  const char* name;
  const char* query;
  const char* error_part;  // empty: the query is taken
};

class PageQuery : public testing::TestWithParam<QueryCase> {};

TEST_P(PageQuery, TakesTheQueryWholeOrNamesTheBadParameter) {
  const auto read = ReadPageQuery(GetParam().query);
  const std::string error_part = GetParam().error_part;
  if (error_part.empty()) {
    EXPECT_TRUE(std::holds_alternative<PageRequest>(read)) << std::get<std::string>(read);
  } else {
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_NE(std::get<std::string>(read).find(error_part), std::string::npos)
        << std::get<std::string>(read);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Queries, PageQuery,
    testing::Values(QueryCase{"Empty", "", ""}, QueryCase{"QuestionMarkOnly", "?", ""},
                    QueryCase{"Everything",
                              "?technique=Circuit&size=500&rates=10,0.5,10&delays=20,20,20"
                              "&seed=7&start=1&speed=4",
                              ""},
                    QueryCase{"EscapedComma", "rates=2%2C0.5%2C1", ""},
                    QueryCase{"LowerCaseEscape", "rates=2%2c0.5%2c1&technique=%50acket", ""},
                    QueryCase{"BadSize", "?size=250", "size: \"250\" is not a message size"},
                    QueryCase{"BadRate", "?rates=1,abc,1", "rates"},
                    QueryCase{"BadSpeed", "?speed=3", "speed"},
                    QueryCase{"BadStart", "?start=maybe", "start: \"maybe\""},
                    QueryCase{"Unknown", "?bogus=1", "\"bogus\" is no parameter"},
                    QueryCase{"Twice", "?size=100&size=200", "size more than once"},
                    QueryCase{"BrokenEscape", "?technique=Circ%2", "broken %-escape"},
                    QueryCase{"BadHexEscape", "?technique=%G1", "broken %-escape"}),
    [](const testing::TestParamInfo<QueryCase>& info) { return info.param.name; });

TEST(PageQuery, DecodesAndChoosesOnlyTheGivenBoxes) {
  const auto read = ReadPageQuery("?technique=Packet&rates=2+,0.5,1e1&start");
  ASSERT_TRUE(std::holds_alternative<PageRequest>(read));
  const PageRequest& request = std::get<PageRequest>(read);
  EXPECT_EQ(request.rates[0], "2 ");
  EXPECT_TRUE(request.start);
  WebForm form;
  ChooseGivenBoxes(form.logic(), request);
  EXPECT_EQ(form.BoxText(kMethodBox), "Packet");
  EXPECT_EQ(form.BoxText(RateBox(2)), "1e1");
  EXPECT_EQ(form.BoxText(kSizeBox), "300");  // not given: as loaded
  EXPECT_EQ(form.BoxText(DelayBox(0)), "50");
}

TEST(SheetAddress, OnlyFilesOfThePagesOwnFolderAreLoaded) {
  for (const char* name : {"week3.json", "sheets/week3.json", "./a.json", "sheets/../b.json"}) {
    EXPECT_EQ(SheetAddressRefusal(name), std::nullopt) << name;
  }
  const std::pair<const char*, const char*> refused[] = {
      {"", "names no file"},
      {"https://example.org/a.json", "another site"},
      {"//example.org/a.json", "another site"},
      {"javascript:alert(1)", "another site"},
      {"/sheets/a.json", "the site's root"},
      {"../a.json", "outside the page's folder"},
      {"sheets/../../a.json", "outside the page's folder"},
      {"%2e%2e/a.json", "not a file name"},
      {"a.json?x=1", "not a file name"},
      {"sheets\\..\\..\\a.json", "not a file name"},
  };
  for (const auto& [name, said] : refused) {
    const auto refusal = SheetAddressRefusal(name);
    ASSERT_TRUE(refusal.has_value()) << name;
    EXPECT_NE(refusal->find(said), std::string::npos) << *refusal;
  }
}

TEST(WebForm, ABadQueryChangesNothing) {
  WebForm form;
  const std::string before = form.State();
  EXPECT_NE(form.ApplyQuery("?technique=Circuit&size=250&start=1", 0), "");
  EXPECT_EQ(form.State(), before);
  EXPECT_EQ(form.ApplyQuery("?technique=Circuit&seed=5&start=1", 0), "");
  EXPECT_EQ(form.logic().Caption(0), "Reset");
  EXPECT_EQ(form.classroom().CurrentRun()->seed, 5U);
}

TEST(WebForm, TicksFollowTheWallClockAndStopAtTheEnd) {
  WebForm form;
  form.Click(0, 1000.0);
  form.TakeDrawSteps();
  EXPECT_EQ(form.RunDueTicks(1024.0), 0);
  EXPECT_EQ(form.RunDueTicks(1075.0), 3);
  EXPECT_EQ(form.RunDueTicks(1e9), 40);  // a late frame catches up over several
  form.SetSpeedIndex(4, 1e9);
  // From now on one tick every 6.25 ms, the first one at once.
  EXPECT_EQ(form.RunDueTicks(1e9 + 25.0), 5);
  const auto& steps = form.DrawSteps();
  ASSERT_FALSE(steps.empty());
  ASSERT_EQ(steps.size() % kDrawStepSize, 0U);
  for (std::size_t i = 0; i < steps.size(); i += kDrawStepSize) {
    EXPECT_EQ(steps[i], kStrokeStep);
    EXPECT_LE(steps[i + 2], steps[i + 3]);  // left end first
    EXPECT_GE(steps[i + 2], 0.0);
    EXPECT_LE(steps[i + 3], 239.0);  // within the drawing area inside the frame
  }
  // Late frames run no tick past the one that stops the timer.
  for (double now = 2e9; form.RunDueTicks(now) > 0; now += 1e9) form.TakeDrawSteps();
  EXPECT_EQ(form.logic().simulation().State().ClockMs, 15025);
}

TEST(WebForm, ItsPictureIsTheDriversAfterTheSameRun) {
  WebForm form(7);
  form.UserSetBox(kMethodBox, "Circuit", 0.0);
  form.UserSetBox(RateBox(0), "2", 0.0);
  form.UserFinishedRate(0, 0.0);
  form.Click(0, 0.0);
  for (double now = 1e9; form.RunDueTicks(now) > 0; now += 1e9) form.TakeDrawSteps();
  trace::Options options;
  options.technique = "Circuit";
  options.rates[0] = "2";
  options.additions = true;
  EXPECT_EQ(form.SvgPicture(kAllAdditions), trace::SvgPicture(options, 7));
}

TEST(WebForm, TheFirstStrokeLiesOnItsRow) {
  WebForm form;
  form.Click(0, 0.0);
  form.TakeDrawSteps();
  form.RunDueTicks(100.0);
  const auto& steps = form.DrawSteps();
  ASSERT_FALSE(steps.empty());
  // The first stroke, at 50 ms of clock, lies 25 twips down: pixel row 1.
  EXPECT_EQ(steps[4], 1.0);
  EXPECT_NEAR(steps[3], 0.1 * 239.0, 1e-4);  // its head, a tenth of the way across
}

TEST(WebForm, TheTimingTableFollowsTheRun) {
  WebForm form(1);
  EXPECT_EQ(form.TimingJson(), "[]");
  form.Click(0, 0.0);
  const auto before = form.classroom().TimingRevision();
  form.RunDueTicks(25.0);
  EXPECT_NE(form.classroom().TimingRevision(), before);
  EXPECT_EQ(form.TimingJson(),
            "[[\"1\",\"message\",\"Transmit \u2192 Router A\",\"forward\",\"25\",\"-\",\"-\",\"-\",\"-\"]]");
}

TEST(WebForm, PickOnlyBoxesHoldOnlyTheirItemsAndResetClears) {
  WebForm form;
  const auto changes = form.Changes();
  form.UserSetBox(DelayBox(1), "75", 0);
  EXPECT_EQ(form.BoxText(DelayBox(1)), "50");
  EXPECT_EQ(form.Changes(), changes);
  form.UserSetBox(RateBox(1), "7.5", 0);
  EXPECT_EQ(form.BoxText(RateBox(1)), "7.5");
  EXPECT_GT(form.Changes(), changes);
  form.Click(0, 0);
  form.RunDueTicks(100);
  form.TakeDrawSteps();
  form.Click(0, 100);  // Reset
  int clears = 0;
  for (std::size_t i = 0; i < form.DrawSteps().size(); i += kDrawStepSize) {
    clears += form.DrawSteps()[i] == kClearStep ? 1 : 0;
  }
  EXPECT_EQ(clears, kLinkCount);
}

}  // namespace
}  // namespace switchsim

namespace switchsim {
namespace {

// The page's timer at the wall clock: a pause stops the ticks, and Cont or a
// new Start takes them up from that moment rather than catching up.
TEST(WebFormPacing, PauseContAndASecondStartTickFromTheirOwnMoment) {
  WebForm form(1);
  form.Click(0, 0.0);  // Start
  EXPECT_EQ(form.RunDueTicks(100.0), 4);
  form.Click(1, 110.0);  // Pause
  EXPECT_EQ(form.RunDueTicks(5000.0), 0);
  form.Click(1, 10000.0);  // Cont
  EXPECT_EQ(form.RunDueTicks(10020.0), 0);
  EXPECT_EQ(form.RunDueTicks(10050.0), 2);
  form.Click(0, 20000.0);  // Reset
  form.Click(0, 30000.0);  // Start again
  EXPECT_EQ(form.RunDueTicks(30030.0), 1);
  EXPECT_EQ(form.logic().simulation().State().ClockMs, 25);
}

}  // namespace
}  // namespace switchsim
