// The classroom's results of the runs and their texts: the table, its CSV
// and the driver's command.
#include <gtest/gtest.h>

#include <algorithm>

#include "classroom/classroom.h"
#include "lesson.h"

namespace switchsim {
namespace {

using testing::DriverLog;
using testing::Lesson;

TEST(Classroom, KeepsTheResultsNewestFirstWithTheirFormulas) {
  Lesson lesson(1);
  const auto run = [&](const char* technique, auto during) {
    if (lesson.form.RunExists()) lesson.Start();
    lesson.form.Choose(kMethodBox, technique);
    lesson.Start();
    for (int tick = 0; tick < 40; ++tick) lesson.form.Timer1_Timer();
    during();
    lesson.RunToEnd();
  };
  run("Message", [] {});
  run("Circuit", [] {});
  EXPECT_EQ(lesson.classroom.Notice(),
            "Ended at 15.025 s; Circuit: 6375 ms, formula 6050 ms. Circuit first at 6375 ms, then "
            "Message 6900 ms");
  run("Packet", [&] { lesson.form.Choose(DelayBox(1), "50"); });  // the same text: no change
  // Delivered with the last packet, where the marker ends.
  EXPECT_EQ(lesson.classroom.Results().front().simulated_ms,
            lesson.form.Markers()[static_cast<int>(Marker::Packet)].clock_ms);
  run("Packet", [&] { lesson.form.Choose(kMethodBox, "Message"); });
  run("Circuit", [&] { lesson.form.Choose(DelayBox(0), "20"); });

  const std::vector<RunResult>& results = lesson.classroom.Results();
  ASSERT_EQ(results.size(), 5U);
  EXPECT_EQ(results[4].parameters.technique, "Message");
  EXPECT_EQ(results[4].simulated_ms, 6900);
  EXPECT_EQ(results[4].formula_ms, 6750);
  EXPECT_EQ(results[3].formula_ms, 6050);
  EXPECT_EQ(results[2].formula_ms, 4050);
  EXPECT_EQ(results[2].parameters.rates, (std::array<std::string, 3>{"1", "0.5", "1"}));
  EXPECT_FALSE(results[2].changed);
  EXPECT_TRUE(results[1].changed);  // the technique changed
  EXPECT_TRUE(results[0].changed);  // a delay changed
  EXPECT_EQ(results[0].parameters.delays[0], "50");  // as the run started
}

TEST(ClassroomTexts, WriteResultsAsATableCsvAndACommand) {
  RunParameters p{"Circuit", "300", {"1", "0.5", "1"}, {"50", "50", "20"}, 42, {}};
  const RunResult result{p, 6375, 6050, true};
  EXPECT_EQ(TraceCommand(p),
            "switchsim-trace --technique Circuit --size 300 --rates 1,0.5,1 --delays 50,50,20 "
            "--seed 42");
  EXPECT_EQ(ResultsCsv({result}),
            "technique,size,rate 1,rate 2,rate 3,delay 1,delay 2,delay 3,packet,header,"
            "simulated ms,formula ms,difference ms,seed,changed during run\r\n"
            "Circuit,300,1,0.5,1,50,50,20,2,0,6375,6050.0,325.0,42,yes\r\n");
  const std::string table = ResultsText({result});
  EXPECT_NE(table.find("Circuit"), std::string::npos);
  EXPECT_NE(table.find("325.0"), std::string::npos);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 2);

  p.technique = "it's, \"odd\"";
  EXPECT_NE(TraceCommand(p).find("--technique 'it'\\''s, \"odd\"'"), std::string::npos);
  EXPECT_EQ(ResultsCsv({RunResult{p, 1, 2, false}}).find("\"it's, \"\"odd\"\"\",300"),
            ResultsCsv({}).size());
}

// What the table shows of a run is what its CSV row says, sign and all.
TEST(Results, TheTableAndTheCsvAgreeCellByCell) {
  RunParameters p{"Packet", "300", {"1.0", "0.5", "1.0"}, {"50", "50", "50"}, 9, {4, 1}};
  for (const RunResult& result : {RunResult{p, 6000, 6050.25, false}, RunResult{p, 6100, 6050, true}}) {
    const std::array<std::string, kResultColumns> cells = ResultCells(result);
    const std::string csv = ResultsCsv({result});
    const std::string row = csv.substr(csv.find("\r\n") + 2);
    std::string cells_row = "Packet,300,1.0,0.5,1.0,50,50,50";
    for (std::size_t c = 4; c < cells.size(); ++c) cells_row += "," + cells[c];
    EXPECT_EQ(row, cells_row + "\r\n");
    EXPECT_EQ(cells[4] + " " + cells[5], "4 1");
    EXPECT_NEAR(std::stod(cells[8]), result.simulated_ms - result.formula_ms, 0.051) << cells[8];
  }
}

}  // namespace
}  // namespace switchsim
