// The texts the rooms compose for a person, in the pseudo-language: each
// comes through the catalog (bracketed) and writes its worked-out numbers
// with the language's decimal comma, while the files for programs (the JSON
// log, the CSVs) stay byte for byte what they are in English.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "form/captions.h"
#include "form/margins.h"
#include "form/shown_texts.h"
#include "formulas/reading_guide.h"
#include "lesson.h"
#include "look/zoom.h"
#include "po/compiled_catalogs.h"
#include "records/timing_format.h"
#include "text/number_texts.h"

namespace switchsim {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using testing::Lesson;

class PeopleTexts : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(UseCompiledLanguage("pseudo")); }
  void TearDown() override { UseCompiledLanguage("en"); }

  // A circuit run with link 1 at 0.5, to its end.
  static void RunCircuit(Lesson& lesson) {
    lesson.form.Choose(kMethodBox, "Circuit");
    lesson.Start();
    lesson.RunToEnd();
  }
};

TEST_F(PeopleTexts, TheClassroomsNoticesReadoutsAndTablesComeThroughTheCatalog) {
  Lesson lesson(1);
  RunCircuit(lesson);
  const Classroom& room = lesson.classroom;
  EXPECT_THAT(room.ClockText(), StartsWith("[t = 15,025 s"));
  EXPECT_THAT(room.Notice(), StartsWith("[Ended at 15,025 s"));
  EXPECT_THAT(room.Notice(), HasSubstr("[Circuit"));
  EXPECT_THAT(room.MarkerText(Marker::Circuit), StartsWith("[[Circuit"));

  const auto results = ResultCells(room.Results().front());
  EXPECT_THAT(results[0], StartsWith("[Circuit"));
  EXPECT_EQ(results[7], "6050,0");
  EXPECT_THAT(results[10], StartsWith("[no"));
  EXPECT_THAT(ResultHeading(0), StartsWith("[Technique"));
  EXPECT_THAT(ResultsText(room.Results()), AllOf(StartsWith("[technique"), HasSubstr("6050,0")));

  const auto timing = TimingCells(room.TimingRows().front());
  EXPECT_THAT(timing[1], StartsWith("[set-up request"));
  EXPECT_THAT(timing[2], StartsWith("[Transmit"));
  EXPECT_THAT(timing[3], StartsWith("[forward"));
  EXPECT_THAT(TimingText(room.TimingRows()), StartsWith("[record"));

  // The rate box still reads its leading number; the note says so, and how
  // to write the rate the box takes, with a point.
  lesson.Type(0, "1,5");
  lesson.form.RateEditingFinished(0);
  EXPECT_THAT(room.Notice(), StartsWith("[\"1,5\" is read as 1; write 1.5 with a decimal point"));
}

TEST_F(PeopleTexts, TheFilesForProgramsStayEnglishWithDecimalPoints) {
  const auto files = [] {
    Lesson lesson(1);
    RunCircuit(lesson);
    return std::make_tuple(lesson.classroom.RunLogText(), TimingCsv(lesson.classroom.TimingRows()),
                           ResultsCsv(lesson.classroom.Results()));
  };
  const auto pseudo = files();
  UseCompiledLanguage("en");
  const auto english = files();
  EXPECT_EQ(std::get<0>(pseudo), std::get<0>(english));
  EXPECT_EQ(std::get<1>(pseudo), std::get<1>(english));
  EXPECT_EQ(std::get<2>(pseudo), std::get<2>(english));
  EXPECT_THAT(std::get<2>(pseudo), HasSubstr(",6050.0,"));
}

TEST_F(PeopleTexts, TheFormFormulasLookAndNumbersSpeakThroughTheCatalog) {
  EXPECT_THAT(ShownText(lists::kContCaption), StartsWith("[Cont"));
  EXPECT_THAT(ShownText(lists::kMethodItems[2]), StartsWith("[Packet"));
  EXPECT_EQ(lists::kMethodItems[2], "Packet");  // the state stays English
  EXPECT_THAT(captions::RateToolTip(1), StartsWith("[Bit rate of the link [[Router A"));
  RunParameters choice;
  // The values to type stay the English ones.
  EXPECT_THAT(*ChooseTechnique("Morse", choice),
              StartsWith("[\"Morse\" is not a technique; use one of Message, Circuit, Packet"));
  EXPECT_THAT(ZoomRefusal("7"), StartsWith("[\"7\" is not a zoom"));
  const std::array<MarkerState, kTechniqueCount> markers = {MarkerState{true, 6900, 9000.0}, {}, {}};
  EXPECT_THAT(LayOutMarkerLabels(markers, 200).front().text, StartsWith("[M 6900"));
  EXPECT_THAT(BlocksCount(3), StartsWith("[3 blocks"));

  const std::string guide = ReadingGuideHtml(LinkModel{{1, 0.5, 1}, {50, 50, 50}, 300, {}});
  EXPECT_THAT(guide, AllOf(HasSubstr("<h3>[Axes and scales"), HasSubstr("100/0,5"), HasSubstr("[Circuit")));
  EXPECT_THAT(FormulaOf("Circuit", LinkModel{{1, 0.5, 1}, {50, 50, 50}, 300, {}}).filled_in,
              HasSubstr("100/0,5"));
}

}  // namespace
}  // namespace switchsim
