// Pictures as lists of drawing primitives, the SVG they are written as, and their texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form/keeping_surface.h"
#include "pictures/form_drawing.h"
#include "pictures/picture_runs.h"
#include "pictures/svg_writer.h"
#include "po/compiled_catalogs.h"
#include "simulation/random_source.h"
#include "tools/trace_view.h"

namespace switchsim {
namespace {

TEST(SvgText, WritesTextsAsCharacterDataAndNumbersToAHundredth) {
  Drawing drawing;
  drawing.width = 100;
  drawing.height = 50.5;
  drawing.title = "rates <1> & \"2\"";
  drawing.items.emplace_back(DrawLine{{0.5, 1.004}, {-2.256, 3}, Pen{kRed, 2, true}});
  drawing.items.emplace_back(DrawText{{10, 20}, "a<b>&\x01\xff" "\xc3\xa9", kBlack, 12, TextAlign::End});
  const std::string svg = SvgText(drawing);
  EXPECT_NE(svg.find("viewBox=\"0 0 100 50.5\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("<title>rates &lt;1&gt; &amp; &quot;2&quot;</title>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("x1=\"0.5\" y1=\"1\" x2=\"-2.26\" y2=\"3\" stroke=\"#ff0000\" stroke-width=\"2\" "
                     "stroke-dasharray=\"4 4\""),
            std::string::npos)
      << svg;
  EXPECT_NE(svg.find("text-anchor=\"end\">a&lt;b&gt;&amp;\xc3\xa9</text>"), std::string::npos) << svg;
}

// The form's picture in the pseudo-language, which brackets every text of
// the catalog: the texts the picture composes and the box's technique.
class FormDrawingInPseudoLanguage : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(UseCompiledLanguage("pseudo")); }
  void TearDown() override { UseCompiledLanguage("en"); }
};

TEST_F(FormDrawingInPseudoLanguage, DrawsTheTimeScaleTheTechniqueAndTheDescriptionInIt) {
  trace::TraceView view;
  KeepingSurface kept(view);
  Mt64Random random(1);
  FormLogic form(kept, random);
  form.Form_Load();
  RunForPicture(form, random, RunParameters{}, {"Message", "Circuit", "Packet"}, 1);
  const Drawing drawing = FormDrawing(form, kept, kAllAdditions);
  std::vector<std::string> texts;
  for (const DrawItem& item : drawing.items) {
    if (const auto* text = std::get_if<DrawText>(&item)) texts.push_back(text->text);
  }
  const auto drawn = [&](std::string_view start) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.rfind(start, 0) == 0; });
  };
  EXPECT_TRUE(drawn("[0 s~") && drawn("[4 s~")) << "the time scale";
  EXPECT_TRUE(drawn("[Packet~")) << "the technique box";
  EXPECT_FALSE(drawn("Packet"));
  EXPECT_EQ(drawing.description.rfind("[Time-space traces", 0), 0U) << drawing.description;
  EXPECT_NE(drawing.description.find("; [packet data arrived after "), std::string::npos) << drawing.description;
  EXPECT_NE(SvgText(drawing).find("<desc>[Time-space traces"), std::string::npos);
}

}  // namespace
}  // namespace switchsim
