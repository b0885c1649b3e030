// A lab as the front ends show it: its boxes checked as the options are,
// its run in slices the driver's run, its link the same run again.
#include <gtest/gtest.h>

#include <variant>

#include "explore/lab_curve.h"
#include "labs/lab_session.h"
#include "options/page_address.h"
#include "sharing/share_report.h"

namespace switchsim {
namespace {

void RunThrough(LabSession& lab) {
  for (int slices = 0; lab.RunSlice() && slices < 10000; ++slices) {
  }
}

TEST(LabSession, ChecksEachBoxRunsInSlicesAndLinksTheSameRun) {
  LabSession lab(LabKind::Share);
  struct Box {
    const char* name;
    const char* typed;
    bool taken;
  };
  for (const Box& box : {Box{"users", "abc", false}, {"users", "20", true}, {"active", "0.3", true},
                         {"active", "x", false}, {"slots", "-1", false}, {"slots", "40000", true},
                         {"burst", "", true}, {"seed", "7", true}, {"colour", "red", false}}) {
    const int notices = lab.NoticeCount();
    EXPECT_EQ(!lab.Set(box.name, box.typed).has_value(), box.taken) << box.name << " " << box.typed;
    EXPECT_EQ(lab.NoticeCount() > notices, !box.taken) << box.name;
  }
  EXPECT_EQ(lab.Fields().at(0).value, "20");
  EXPECT_EQ(lab.Fields().at(1).value, "0.3");
  ASSERT_FALSE(lab.Set("user-rate", "2"));  // a box alone takes it; the run refuses it
  EXPECT_NE(lab.Start().value_or("").find("not even one user fits"), std::string::npos);
  EXPECT_FALSE(lab.HasRun());
  ASSERT_FALSE(lab.Set("user-rate", "0.2"));
  ASSERT_FALSE(lab.Start());
  RunThrough(lab);
  EXPECT_FALSE(lab.Running());
  EXPECT_EQ(lab.Progress(), 1.0);
  EXPECT_NE(lab.Notice().find("Shared link done: 5 users on circuits"), std::string::npos) << lab.Notice();
  ASSERT_EQ(lab.Figures().size(), 6U);
  EXPECT_EQ(lab.Figures()[0].text, "5 users served, 15 refused: floor(1 / 0.2) = 5");

  // The run in slices is the driver's, and its link opens the same run again.
  ShareRun whole(ShareSetting{20, 0.3, "0.2", "1", {}, 40000, 7});
  whole.RunNext(40000);
  EXPECT_EQ(lab.Json(), ShareJson(whole));
  EXPECT_EQ(lab.Query(), "share=1&users=20&active=0.3&user-rate=0.2&link-rate=1&slots=40000&seed=7");
  const auto request = ReadPageQuery(lab.Query());
  ASSERT_TRUE(std::holds_alternative<PageRequest>(request)) << std::get<std::string>(request);
  LabSession again(LabKind::Share);
  again.Apply(std::get<PageRequest>(request));
  RunThrough(again);
  EXPECT_EQ(again.Json(), lab.Json());

  LabSession queue(LabKind::Queue);
  ASSERT_FALSE(queue.Set("buffer", "3"));
  ASSERT_FALSE(queue.Set("buffer", ""));  // empty: no limit again
  ASSERT_FALSE(queue.Set("packets", "2000"));
  ASSERT_FALSE(queue.Start());
  RunThrough(queue);
  EXPECT_EQ(queue.Query(), "queue=1&intensity=0.8&packets=2000&seed=1");
  EXPECT_EQ(queue.Figures().at(3).text, "0 (0.00 %), no limit to the buffer");
  EXPECT_FALSE(queue.Picture().items.empty());
}

TEST(LabSession, DrawsItsCurveAndHoldsEverythingWhileAQuestionWaits) {
  LabSession lab(LabKind::Share);
  ASSERT_FALSE(lab.Set("slots", "3000"));
  ASSERT_FALSE(lab.StartCurve("10:40:10", 2));
  while (lab.RunCurveSlice()) {
  }
  ShareSetting setting;
  setting.slot_count = 3000;
  LabSweep sweep(std::get<LabSweepRange>(ReadLabSweepRange("users=10:40:10")), setting, {}, 1, 2);
  sweep.RunNext(kMostLabSweepSteps);
  EXPECT_EQ(lab.CurveCsv(), LabSweepCsv(sweep));
  EXPECT_NE(lab.CurveSvg().find("circuits serve 10 users"), std::string::npos);
  EXPECT_TRUE(lab.StartCurve("0:10:1", 1));  // refused, and the curve stays
  EXPECT_EQ(lab.CurveCsv(), LabSweepCsv(sweep));
  ASSERT_FALSE(lab.Start());
  RunThrough(lab);

  lab.SetHeld(true);
  EXPECT_TRUE(lab.Figures().empty());
  EXPECT_TRUE(lab.Picture().items.empty());
  EXPECT_TRUE(lab.Json().empty());
  EXPECT_TRUE(lab.CurveCsv().empty());
  EXPECT_EQ(lab.Start().value_or(""), kLabHeldNotice);
  EXPECT_EQ(lab.StartCurve("10:20:10", 1).value_or(""), kLabHeldNotice);
  lab.SetHeld(false);
  EXPECT_EQ(lab.Figures().size(), 6U);
  EXPECT_EQ(lab.CurveCsv(), LabSweepCsv(sweep));
}

}  // namespace
}  // namespace switchsim
