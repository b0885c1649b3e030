// The timing table of a run: rows worked out by hand from the tick's rules,
// rows against the steps of the run's own log, and the text and CSV tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

#include "classroom/classroom.h"
#include "records/timing_format.h"
#include "tools/trace_view.h"

namespace switchsim {
namespace {

struct Lesson {
  explicit Lesson(std::uint64_t seed) : classroom(form, random, seed) { form.Form_Load(); }
  void Run(const std::string& technique) {
    form.Choose(kMethodBox, technique);
    form.cmdStart_Click(0);
    while (form.TimerEnabled()) form.Timer1_Timer();
  }
  std::vector<std::vector<std::string>> Cells() const {
    std::vector<std::vector<std::string>> cells;
    for (const Crossing& row : classroom.TimingRows()) {
      const auto c = TimingCells(row);
      cells.emplace_back(c.begin(), c.end());
    }
    return cells;
  }

  trace::TraceView view;
  Mt64Random random{1};
  FormLogic form{view, random};
  Classroom classroom;
};

using Cells = std::vector<std::vector<std::string>>;

struct HandWorkedRun {
  const char* technique;
  Cells rows;  // record, unit, link, direction, first left, last left, first arrived, last arrived, delivered
};

void PrintTo(const HandWorkedRun& c, std::ostream* os) { *os << c.technique; }

class TimingByHand : public ::testing::TestWithParam<HandWorkedRun> {};

// The form's boxes as loaded: size 300 (15 blocks), rates 1.0, 0.5, 1.0,
// delays 50. A unit granted at g has its first bit across at g + 250 (5 x d),
// frees the link on the first tick after g + 100 x blocks / rate, and has
// arrived on the first tick after that time + 250.
TEST_P(TimingByHand, RowsAtTheDefaults) {
  Lesson lesson(1);
  lesson.Run(GetParam().technique);
  EXPECT_EQ(lesson.Cells(), GetParam().rows);
}

const std::string kTA = "Transmit \u2192 Router A", kAB = "Router A \u2192 Router B",
                  kBR = "Router B \u2192 Receive", kRB = "Receive \u2192 Router B",
                  kBA = "Router B \u2192 Router A", kAT = "Router A \u2192 Transmit";

INSTANTIATE_TEST_SUITE_P(
    Techniques, TimingByHand,
    ::testing::Values(
        // The message waits for the first tick at 25 ms; 1500 ms to send at rate 1, 3000 at 0.5.
        HandWorkedRun{"Message",
                      {{"1", "message", kTA, "forward", "25", "1550", "275", "1800", "-"},
                       {"1", "message", kAB, "forward", "1825", "4850", "2075", "5100", "-"},
                       {"1", "message", kBR, "forward", "5125", "6650", "5375", "6900", "6900"}}},
        // The request is on link 1 from the set-up at 0 ms and comes back as
        // the acknowledgement; the data goes on from each router as soon as
        // its first bit is there, at the bottleneck's 0.5; the release
        // follows and comes back too.
        HandWorkedRun{"Circuit",
                      {{"0", "set-up request", kTA, "forward", "0", "125", "250", "375", "-"},
                       {"0", "set-up request", kAB, "forward", "400", "625", "650", "875", "-"},
                       {"0", "set-up request", kBR, "forward", "900", "1025", "1150", "1275", "-"},
                       {"0", "acknowledgement", kRB, "back", "1300", "1425", "1550", "1675", "-"},
                       {"0", "acknowledgement", kBA, "back", "1700", "1925", "1950", "2175", "-"},
                       {"0", "acknowledgement", kAT, "back", "2200", "2325", "2450", "2575", "-"},
                       {"1", "circuit data", kTA, "forward", "2600", "5625", "2850", "5875", "-"},
                       {"2", "circuit data", kAB, "forward", "2850", "5875", "3100", "6125", "-"},
                       {"3", "circuit data", kBR, "forward", "3100", "6125", "3350", "6375", "6375"},
                       {"5", "release", kTA, "forward", "5650", "5875", "5900", "6125", "-"},
                       {"5", "release", kAB, "forward", "6150", "6375", "6400", "6625", "-"},
                       {"5", "release", kBR, "forward", "6650", "6875", "6900", "7125", "-"},
                       {"5", "acknowledgement", kRB, "back", "7150", "7375", "7400", "7625", "-"},
                       {"5", "acknowledgement", kBA, "back", "7650", "7875", "7900", "8125", "-"},
                       {"5", "acknowledgement", kAT, "back", "8150", "8375", "8400", "8625", "-"}}}));

// The whole number after "key": in a JSON line of the log, or `otherwise`.
int Field(const std::string& line, const std::string& key, int otherwise) {
  const std::size_t at = line.find("\"" + key + "\":");
  return at == std::string::npos ? otherwise : std::stoi(line.substr(at + key.size() + 3));
}

// The log's link steps of one kind, as (record, link, clock) in order; a
// completion's link is the last.
using Step = std::tuple<int, int, int>;
std::vector<Step> LogSteps(const std::string& log, const std::string& event) {
  std::vector<Step> steps;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("{\"event\":\"" + event + "\",", 0) != 0) continue;
    steps.emplace_back(Field(line, "record", -1), Field(line, "link", 2), Field(line, "clock", -1));
  }
  std::sort(steps.begin(), steps.end());
  return steps;
}

std::vector<Step> RowTimes(const std::vector<Crossing>& rows,
                           std::optional<std::int32_t> Crossing::*time) {
  std::vector<Step> steps;
  for (const Crossing& row : rows) {
    if (row.*time) steps.emplace_back(row.record, row.link, *(row.*time));
  }
  std::sort(steps.begin(), steps.end());
  return steps;
}

// Each grant begins a crossing, each release of a link ends its sending,
// each arrival its last bit, each completion its delivery; the first bit
// arrives between leaving and the last bit arriving.
TEST(TimingTable, PacketRowsAreTheLogsSteps) {
  for (const std::uint64_t seed : {3U, 8U}) {
    Lesson lesson(seed);
    lesson.form.Choose(kSizeBox, "500");
    lesson.form.Choose(DelayBox(1), "20");
    lesson.Run("Packet");
    const std::string& log = lesson.classroom.RunLogText();
    const std::vector<Crossing>& rows = lesson.classroom.TimingRows();
    ASSERT_EQ(rows.size(), 13U * 3) << seed;  // 25 blocks in packets of 2
    EXPECT_EQ(RowTimes(rows, &Crossing::first_left), LogSteps(log, "grant"));
    EXPECT_EQ(RowTimes(rows, &Crossing::last_left), LogSteps(log, "free"));
    EXPECT_EQ(RowTimes(rows, &Crossing::last_arrived), LogSteps(log, "arrive"));
    EXPECT_EQ(RowTimes(rows, &Crossing::delivered), LogSteps(log, "complete"));
    for (const Crossing& row : rows) {
      EXPECT_EQ(row.unit, "packet");
      EXPECT_TRUE(row.forward);
      EXPECT_LT(*row.first_left, *row.first_arrived);
      EXPECT_LE(*row.first_arrived, *row.last_arrived);
      EXPECT_LT(*row.last_left, *row.last_arrived);
    }
    // The first packet, 2 blocks granted link 1 on the first tick: sent in
    // 200 ms at rate 1, its first bit across at 250 ms.
    EXPECT_EQ(TimingCells(rows.front()),
              (std::array<std::string, kTimingColumns>{"1", "packet", kTA, "forward", "25", "250",
                                                       "275", "500", "-"}));
  }
}

// A delay shortened while the message crosses: its first and last bit
// reach the far end on one tick, which the arrival alone tells.
TEST(TimingTable, FirstAndLastBitArriveOnOneTick) {
  Lesson lesson(1);
  lesson.form.Choose(RateBox(0), "10");  // 5 blocks go in 50 ms
  lesson.form.Choose(kSizeBox, "100");
  lesson.form.Choose(DelayBox(0), "200");
  lesson.form.cmdStart_Click(0);
  for (int tick = 0; tick < 21; ++tick) lesson.form.Timer1_Timer();  // to 525 ms, the head half way
  lesson.form.Choose(DelayBox(0), "20");
  lesson.form.Timer1_Timer();
  const Crossing& row = lesson.classroom.TimingRows().at(0);
  EXPECT_EQ(row.first_arrived, 550);
  EXPECT_EQ(row.last_arrived, 550);
  EXPECT_EQ(RowTimes(lesson.classroom.TimingRows(), &Crossing::last_arrived),
            LogSteps(lesson.classroom.RunLogText(), "arrive"));
}

TEST(TimingTable, TextAndCsvOfARunCutShort) {
  Lesson lesson(1);
  lesson.form.cmdStart_Click(0);
  for (int tick = 0; tick < 70; ++tick) lesson.form.Timer1_Timer();  // to 1750 ms
  EXPECT_EQ(TimingText(lesson.classroom.TimingRows()),
            "record  unit     link                 direction  first bit left ms  last bit left ms"
            "  first bit arrived ms  last bit arrived ms  delivered ms\n"
            "     1  message  Transmit \u2192 Router A  forward                   25              1550"
            "                   275                    -             -\n");
  EXPECT_EQ(TimingCsv(lesson.classroom.TimingRows()),
            "record,unit,link,direction,first bit left ms,last bit left ms,first bit arrived ms,"
            "last bit arrived ms,delivered ms\r\n"
            "1,message,Transmit \u2192 Router A,forward,25,1550,275,,\r\n");
}

TEST(TimingTable, TheClassroomKeepsTheCurrentRunsTable) {
  Lesson lesson(1);
  EXPECT_TRUE(lesson.classroom.TimingRows().empty());
  const std::uint64_t before = lesson.classroom.TimingRevision();
  lesson.Run("Message");
  EXPECT_EQ(lesson.classroom.TimingRows().size(), 3U);
  const std::uint64_t ended = lesson.classroom.TimingRevision();
  EXPECT_GT(ended, before);
  lesson.form.cmdStart_Click(0);  // Reset
  lesson.form.Choose(kMethodBox, "Packet");
  lesson.form.cmdStart_Click(0);
  EXPECT_TRUE(lesson.classroom.TimingRows().empty());
  EXPECT_NE(lesson.classroom.TimingRevision(), ended);
  lesson.form.Timer1_Timer();
  ASSERT_EQ(lesson.classroom.TimingRows().size(), 1U);
  EXPECT_EQ(lesson.classroom.TimingRows()[0].unit, "packet");
}

}  // namespace
}  // namespace switchsim
