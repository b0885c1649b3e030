// Pictures as lists of drawing primitives, and the SVG they are written as.
#include <gtest/gtest.h>

#include <string>

#include "pictures/svg_writer.h"

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

}  // namespace
}  // namespace switchsim
