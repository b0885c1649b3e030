// The curves' picture for a room and a finger: where the time axis starts,
// where the marks' numbers stand, and what a press on the curves picks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "explore/curve_labels.h"
#include "explore/curve_layout.h"
#include "tools/options.h"
#include "tools/sweep_command.h"

namespace switchsim::trace {
namespace {

Sweep Finished(const std::string& args) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at < args.size();) {
    const std::size_t end = std::min(args.find(' ', at), args.size());
    words.push_back(args.substr(at, end - at));
    at = end + 1;
  }
  auto parsed = ParseOptions(words);
  EXPECT_TRUE(std::holds_alternative<Options>(parsed)) << args;
  Sweep sweep = SweepOf(std::get<Options>(parsed));
  sweep.RunNext(sweep.RunCount());
  return sweep;
}

// The text of the lowest tick of the time axis, as drawn.
std::string LowestTimeTick(const CurveLayout& layout) {
  const DrawText* lowest = nullptr;
  for (const DrawItem& item : layout.drawing().items) {
    const auto* text = std::get_if<DrawText>(&item);
    if (text && text->align == TextAlign::End && text->at.y < layout.plot().bottom + 10 &&
        text->at.y > layout.plot().top && (!lowest || text->at.y > lowest->at.y)) {
      lowest = text;
    }
  }
  return lowest ? lowest->text : "";
}

TEST(CurveAxis, StartsWhereTheCurvesAreAndAtZeroOnlyNearIt) {
  struct Case { const char* sweep; double bottom_ms, top_ms; const char* lowest_tick; };
  const Case cases[] = {
      {"--sweep size=20:1000:20 --seeds 3", 0, 15000, "0"},  // 1150 ms is within a step of 0
      {"--sweep rate2=0.5:2:0.5 --size 500 --seeds 3", 2000, 12000, "2000"},
      {"--sweep packet=1:50:1 --size 1000 --header 1 --seeds 3", 13000, 15000, "13000"},
      {"--sweep delay1=20:200 --size 300 --seeds 3", 3000, 9000, "3000"},
      {"--sweep rate1=1:4:1 --size 200 --seeds 3", 3000, 5500, "3000"},  // the least on a tick
      {"--sweep size=1000:1000:20 --rates 0.1,0.1,0.1", 0, 15000, "0"},  // nothing delivered in 15 s
  };
  for (const Case& c : cases) {
    const CurveLayout layout(Finished(c.sweep));
    EXPECT_EQ(layout.plot().bottom_ms, c.bottom_ms) << c.sweep;
    EXPECT_EQ(layout.plot().top_ms, c.top_ms) << c.sweep;
    EXPECT_EQ(LowestTimeTick(layout), c.lowest_tick) << c.sweep;
  }
}

TEST(CurveMarks, NumbersStandClearOfThePointsTheMarksAndEachOther) {
  // A crossing among many seeds' points, crossings by the ends of the plot,
  // and the least packet formula on a point.
  for (const char* sweep : {"--sweep size=20:1000:20 --rates 1,1,1 --seeds 5",
                            "--sweep packet=1:30:1 --size 600 --header 3 --seeds 3",
                            "--sweep packet=1:20:1 --size 400 --rates 0.5,0.5,0.5 --header 1",
                            "--sweep packet=1:20:1 --size 500 --header 2 --seeds 3"}) {
    const CurveLayout layout(Finished(sweep));
    ASSERT_FALSE(layout.marks().empty()) << sweep;
    std::vector<Box> drawn;  // every point and mark as drawn
    std::vector<Box> labels;
    for (const DrawItem& item : layout.drawing().items) {
      if (const auto* circle = std::get_if<DrawCircle>(&item)) {
        drawn.push_back(BoxAround(circle->centre, circle->radius));
      }
      if (const auto* rect = std::get_if<DrawRect>(&item); rect && rect->width == 10) {
        drawn.push_back({rect->x, rect->y, rect->x + rect->width, rect->y + rect->height});
      }
      const auto* text = std::get_if<DrawText>(&item);
      if (text && text->bold && text->at.y > layout.plot().top && text->at.y < layout.plot().bottom) {
        labels.push_back(TextBox(*text));
      }
    }
    ASSERT_EQ(labels.size(), layout.marks().size()) << sweep;
    for (std::size_t i = 0; i < labels.size(); ++i) {
      for (const Box& other : drawn) EXPECT_FALSE(Overlap(labels[i], other)) << sweep << " label " << i;
      for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlap(labels[i], labels[j])) << sweep << " label " << i;
    }
  }
}

TEST(CurvePick, APressPicksTheNearestPointWithinAFingersOrAMousesTarget) {
  // One value: the techniques' points lie far apart, so the nearest is the one pressed beside.
  const CurveLayout layout(Finished("--sweep size=600:600:20"));
  struct Case { Pointer pointer; double shown_scale, off_screen_px; bool picks; };
  const Case cases[] = {
      {Pointer::Mouse, 1.0, 0, true},   {Pointer::Mouse, 1.0, 5, true},   {Pointer::Mouse, 1.0, 8, false},
      {Pointer::Mouse, 0.5, 5, true},   {Pointer::Mouse, 0.5, 8, false},  {Pointer::Touch, 1.0, 21, true},
      {Pointer::Touch, 1.0, 23, false}, {Pointer::Touch, 0.47, 21, true}, {Pointer::Touch, 0.47, 23, false},
      {Pointer::Touch, 2.0, 21, true},  {Pointer::Touch, 2.0, 23, false},
      {Pointer::Mouse, 4.0, 14, true},  // never less than the point as drawn, 3 px
  };
  for (const Case& c : cases) {
    for (const CurveLayout::PlacedPoint& point : layout.points()) {
      const double off = c.off_screen_px / c.shown_scale;
      const CurvePick pick = layout.Pick({{point.at.x + off, point.at.y}, c.pointer, c.shown_scale});
      EXPECT_EQ(pick.kind, c.picks ? CurvePick::Kind::Run : CurvePick::Kind::Nothing)
          << "scale " << c.shown_scale << ", " << c.off_screen_px << " px off run " << point.run;
      if (c.picks) {
        EXPECT_EQ(pick.index, point.run) << c.shown_scale << " " << c.off_screen_px;
      }
    }
  }
}

TEST(CurvePick, APressOnAMarkSaysTheMarkNotThePointUnderIt) {
  // Circuit's run at 3 blocks lies under the square of the least packet formula.
  const CurveLayout layout(Finished("--sweep packet=1:20:1 --size 400 --rates 0.5,0.5,0.5 --header 1"));
  ASSERT_EQ(layout.marks().size(), 1u);
  const CurveLayout::PlacedMark& square = layout.marks()[0];
  EXPECT_EQ(layout.MarkSaid(0), "Mark 1: Least packet formula: 3 blocks, 7750 ms");
  const DrawPoint under = layout.points().at(7).at;
  ASSERT_LT(std::hypot(under.x - square.at.x, under.y - square.at.y), 2.0);
  for (const Pointer pointer : {Pointer::Mouse, Pointer::Touch}) {
    for (const DrawPoint at : {square.at, under, DrawPoint{square.at.x + 4, square.at.y - 4}}) {
      const CurvePick pick = layout.Pick({at, pointer, 0.5});
      EXPECT_EQ(pick.kind, CurvePick::Kind::Mark) << at.x << "," << at.y;
      EXPECT_EQ(pick.index, 0u);
    }
  }
  // Off the square, the point again.
  const CurvePick beside = layout.Pick({{under.x, square.at.y + 8}, Pointer::Touch, 0.5});
  EXPECT_EQ(beside.kind, CurvePick::Kind::Run);
  EXPECT_EQ(beside.index, 7u);
}

}  // namespace
}  // namespace switchsim::trace
