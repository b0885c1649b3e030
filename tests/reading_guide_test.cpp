// The reading guide's formulas against the continuous model, and its text.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "formulas/reading_guide.h"

namespace switchsim {
namespace {

TEST(ReadingGuide, FormulasGiveTheContinuousModelsValue) {
  const std::array<double, 4> rates = {0.5, 1, 2, 10};
  const std::array<double, 3> delays = {20, 50, 200};
  for (const double size : {20.0, 40.0, 100.0, 300.0, 500.0, 1000.0}) {
    for (const double r0 : rates) {
      for (const double r1 : rates) {
        for (const double r2 : rates) {
          for (const double d : delays) {
            const LinkModel model{{r0, r1, r2}, {d, 50, 20}, size, {}};
            for (const std::string_view technique : {"Message", "Circuit", "Packet"}) {
              EXPECT_NEAR(FormulaOf(technique, model).ms, ContinuousCompletionMs(technique, model),
                          1e-6)
                  << technique << " size " << size << " rates " << r0 << " " << r1 << " " << r2;
            }
          }
        }
      }
    }
  }
  const std::string html = ReadingGuideHtml(LinkModel{{1, 0.5, 1}, {50, 50, 50}, 300, {}});
  for (const char* part : {"30 ms", "= 6750 ms", "= 6050 ms", "= 4050 ms",
                           "(15\u00b7100/1 + 5\u00b750)", "B = 15 blocks"}) {
    EXPECT_NE(html.find(part), std::string::npos) << part;
  }
  // Packets of two blocks only, or a last one of one block.
  EXPECT_NE(FormulaOf("Packet", LinkModel{{1, 0.5, 1}, {50, 50, 50}, 1000, {}}).symbols.find("n packets of b"),
            std::string::npos);
  EXPECT_NE(FormulaOf("Packet", LinkModel{{1, 0.5, 1}, {50, 50, 50}, 300, {}}).symbols.find("the last of one"),
            std::string::npos);
  // Any packet and header size: a smaller last packet of any size, and a header on every unit.
  for (const double size : {20.0, 60.0, 300.0, 980.0}) {
    for (const int p : {1, 2, 3, 7, 50}) {
      for (const int h : {0, 1, 10}) {
        for (const std::array<double, 3>& r : {std::array<double, 3>{2, 0.5, 1}, {0.5, 1, 10}, {1, 1, 0.5}}) {
          const LinkModel model{r, {50, 20, 200}, size, Packeting{p, h}};
          for (const std::string_view technique : {"Message", "Circuit", "Packet"}) {
            EXPECT_NEAR(FormulaOf(technique, model).ms, ContinuousCompletionMs(technique, model), 1e-6)
                << technique << " size " << size << " p " << p << " h " << h << " rates " << r[0]
                << " " << r[1] << " " << r[2];
          }
        }
      }
    }
  }
  const std::string guide = ReadingGuideHtml(LinkModel{{1, 0.5, 1}, {50, 50, 50}, 300, {4, 1}});
  for (const char* part : {"packets of 4 blocks, each with a header of one block", "(B + h)",
                           "the last of 4 blocks, b counting the packet's header of one block"}) {
    EXPECT_NE(guide.find(part), std::string::npos) << part;
  }
}

}  // namespace
}  // namespace switchsim
