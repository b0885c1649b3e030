// How large the form is shown and how its margins' text follows, and the
// link and frame that share the page as the user has it.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "options/page_address.h"
#include "look/presentation.h"
#include "web/web_form.h"
#include "look/zoom.h"

namespace switchsim {
namespace {

TEST(Zoom, ReadsItsNamesAndScalesToTheSpaceGiven) {
  struct Case { std::string text; double width, height, scale; };
  const Case cases[] = {
      {"100", 400, 300, 1.0},   {"150%", 400, 300, 1.5}, {"200", 0, 0, 2.0},
      {"auto", 1920, 1080, 1.0}, {"auto", 458, 1000, 0.5}, {"fit", 1832, 1314, 2.0},
      {"fit", 916, 328.5, 0.5},  {"fit", 0, 0, 1.0},
  };
  for (const Case& c : cases) {
    const auto zoom = ReadZoom(c.text);
    ASSERT_TRUE(zoom) << c.text;
    EXPECT_EQ(ReadZoom(ZoomName(*zoom)), zoom) << c.text;
    EXPECT_DOUBLE_EQ(ShownScale(*zoom, c.width, c.height), c.scale) << c.text << " " << c.width;
  }
  for (const char* bad : {"", "90", "fits", "100 %", "2"}) EXPECT_FALSE(ReadZoom(bad)) << bad;
  EXPECT_EQ(ZoomRefusal("9"), "\"9\" is not a zoom; use 100, 125, 150, 200, fit or auto");
}

TEST(Presentation, MarginTextIsAsAlwaysAtScaleOneAndLargerElsewhere) {
  EXPECT_EQ(MarginTextFor({1.0, false}, 14.0), MarginText{});
  const MarginText zoomed = MarginTextFor({2.0, false});
  EXPECT_EQ(zoomed.font_px, 16);
  EXPECT_FALSE(zoomed.unit);
  EXPECT_FALSE(zoomed.bold);
  EXPECT_TRUE(MarginTextFor({1.0, true}).bold);
  // A tablet's scale takes the floor inside the margins; a phone's cannot.
  EXPECT_TRUE(MarginTextFor({0.9, false}, 14.0).fits);
  const MarginText phone = MarginTextFor({0.4, false}, 14.0);
  EXPECT_FALSE(phone.fits);
  EXPECT_EQ(phone.font_px, 16);
  EXPECT_EQ(LineWeightPx({1.0, true}, 1, kProjectorBaseLinePx), kProjectorBaseLinePx);
  EXPECT_EQ(LineWeightPx({2.0, false}, 1, kProjectorBaseLinePx), 1);
}

TEST(Presentation, PanelTextFollowsTheZoomUpwardsAndGrowsBoldForAProjector) {
  struct Case { Presentation presentation; PanelText text; };
  const Case cases[] = {
      {{1.0, false}, {1.0, false}}, {{0.4, false}, {1.0, false}},  // a phone's shrunk form: the usual text
      {{2.0, false}, {2.0, false}}, {{1.0, true}, {1.25, true}}, {{1.5, true}, {1.875, true}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PanelTextFor(c.presentation), c.text) << c.presentation.scale << " " << c.presentation.projector;
  }
}

TEST(ShareLink, ReadsBackAsTheBoxesSpeedAndView) {
  WebForm page(1);
  page.UserSetBox(kMethodBox, "Circuit", 0);
  page.UserSetBox(RateBox(0), "1,5 x&y", 0);  // read as 1: the link gives what the form runs at
  page.UserFinishedRate(0, 0);
  const FormLogic& form = page.logic();
  const std::string query = ShareQuery(form, 2.0, {Zoom::Kind::Fit}, true);
  const auto read = ReadPageQuery(query);
  ASSERT_TRUE(std::holds_alternative<PageRequest>(read)) << query << std::get<std::string>(read);
  const PageRequest& request = std::get<PageRequest>(read);
  EXPECT_EQ(request.technique, "Circuit");
  EXPECT_EQ(request.rates[0], "1");
  EXPECT_EQ(request.speed, 2.0);
  EXPECT_EQ(request.zoom, (Zoom{Zoom::Kind::Fit}));
  EXPECT_TRUE(request.projector);
  // A header alone, packets left at their size, is carried too.
  page.UserSetPacketing(true, "1");
  const auto header = std::get<PageRequest>(ReadPageQuery(ShareQuery(form, 1.0, {}, false)));
  EXPECT_EQ(header.packeting, (Packeting{2, 1}));
  const std::string snippet = EmbedSnippet("a?b=1&c=\"<x>", 40);
  EXPECT_EQ(snippet.find("src=\"a?b=1&amp;c=&quot;&lt;x&gt;\""), 8U);
  EXPECT_NE(snippet.find(" width=\"916\" height=\"697\" "), std::string::npos) << snippet;
}

}  // namespace
}  // namespace switchsim
