// The classroom's view of the form on the driver's surface: seeds, the run
// log against the driver's, speed and step, the status texts, the results
// and their texts, refused rates, and the margins' layout.
#include <gtest/gtest.h>

#include <sstream>
#include <variant>

#include "classroom/classroom.h"
#include "look/layout.h"
#include "form/margins.h"
#include "tools/options.h"
#include "formulas/reading_guide.h"
#include "form/run_pacer.h"
#include "tools/trace_run.h"
#include "tools/trace_view.h"

namespace switchsim {
namespace {

// A loaded form on the driver's surface with a classroom around it; fresh
// seeds count up from 100.
struct Lesson {
  explicit Lesson(std::optional<std::uint64_t> first_seed = std::nullopt)
      : classroom(form, random, first_seed, [this] { return ++fresh_seeds; }) {
    form.Form_Load();
  }
  void Start() { form.cmdStart_Click(0); }
  void RunToEnd() {
    while (form.TimerEnabled()) form.Timer1_Timer();
  }
  // Key by key, as a front end passes typing on: the box's text, then its handler.
  void Type(int link, const std::string& text) {
    for (std::size_t n = 1; n <= text.size(); ++n) {
      view.SetBoxText(RateBox(link), text.substr(0, n));
      form.BoxChanged(RateBox(link));
    }
  }

  trace::TraceView view;
  Mt64Random random{1};
  FormLogic form{view, random};
  std::uint64_t fresh_seeds = 100;
  Classroom classroom;
};

// What switchsim-trace --json prints for the command the results offer.
std::string DriverLog(const RunParameters& parameters) {
  std::istringstream words(TraceCommand(parameters));
  std::vector<std::string> args{"--json"};
  for (std::string word; words >> word;) {
    if (word != "switchsim-trace") args.push_back(word);
  }
  const auto parsed = trace::ParseOptions(args);
  EXPECT_TRUE(std::holds_alternative<trace::Options>(parsed)) << TraceCommand(parameters);
  const auto& options = std::get<trace::Options>(parsed);
  std::string out;
  trace::RunTraces(options, options.seed, out);
  return out;
}

TEST(Classroom, EveryRunIsTheDriversRunOfItsCommand) {
  Lesson lesson(7);
  struct Run {
    const char* technique;
    const char* size;
    std::array<const char*, 3> rates;
  };
  // One window, run after run: typed rates, a circuit that turns boxes red,
  // packets that draw random numbers.
  for (const Run& run : {Run{"Packet", "500", {"2.50", "0.5", "10.0"}},
                         Run{"Circuit", "300", {"5.0", "0.5", "1e1"}},
                         Run{"Message", "100", {"1.0", "2.0", "0.5"}},
                         Run{"Message", "1000", {"0.5", "0.5", "0.5"}}}) {
    if (lesson.form.RunExists()) lesson.Start();  // Reset
    for (int k = 0; k < kLinkCount; ++k) lesson.Type(k, run.rates[k]);
    lesson.form.Choose(kSizeBox, run.size);
    lesson.form.Choose(DelayBox(2), "20");
    lesson.form.Choose(kMethodBox, run.technique);
    lesson.Start();
    lesson.RunToEnd();
    const RunParameters& parameters = *lesson.classroom.CurrentRun();
    EXPECT_EQ(lesson.classroom.RunLogText(), DriverLog(parameters)) << TraceCommand(parameters);
  }
  ASSERT_EQ(lesson.classroom.Results().size(), 3U);  // the last run delivers nothing in 15 s
  EXPECT_EQ(lesson.classroom.Results().back().parameters.seed, 7U);
  EXPECT_EQ(lesson.classroom.Results().front().parameters.seed, 102U);
  EXPECT_EQ(lesson.classroom.CurrentRun()->seed, 103U);
}

TEST(Classroom, TakesAPacketOrHeaderSizeForTheNextStartOrSaysWhyNot) {
  Lesson lesson(5);
  lesson.form.Choose(kMethodBox, "Packet");
  lesson.Start();
  struct Choice {
    bool header;
    const char* text;
    bool taken;
    const char* notice;
  };
  for (const Choice& c : {Choice{false, "5", true, "Packets of 5 blocks, header 0 blocks: from the next Start"},
                          Choice{true, "1", true, "Packets of 5 blocks, header 1 block: from the next Start"},
                          Choice{true, "11", false, "Header size: \"11\" is not a header size; use a whole number of blocks from 0 to 10"},
                          Choice{false, "abc", false, "Packet size: \"abc\" is not a packet size; use a whole number of blocks from 1 to 50"},
                          Choice{false, "0", false, "Packet size: \"0\" is not a packet size; use a whole number of blocks from 1 to 50"}}) {
    EXPECT_EQ(lesson.classroom.ChoosePacketing(c.header, c.text), c.taken) << c.text;
    EXPECT_EQ(lesson.classroom.Notice(), c.notice);
  }
  // The run under way keeps its packets of two blocks; the next one takes the sizes.
  EXPECT_EQ(lesson.form.simulation().State().UnitTable[1].Blocks, 2);
  lesson.Start();  // Reset
  lesson.Start();
  lesson.RunToEnd();
  const RunParameters& parameters = *lesson.classroom.CurrentRun();
  EXPECT_EQ(parameters.packeting, (Packeting{5, 1}));
  EXPECT_EQ(lesson.classroom.RunLogText(), DriverLog(parameters)) << TraceCommand(parameters);
  ASSERT_EQ(lesson.classroom.Results().size(), 1U);
  const auto cells = ResultCells(lesson.classroom.Results().front());
  EXPECT_EQ(cells[4] + " " + cells[5], "5 1");
}

// Drives the timer from a simulated wall clock that wakes `wake_ms` apart.
std::string PacedLog(double speed, double wake_ms, double speed_later = 0.0) {
  Lesson lesson(11);
  lesson.form.Choose(kMethodBox, "Packet");
  RunPacer pacer;
  pacer.SetSpeed(speed, 0.0);
  double now = 0.0;
  lesson.Start();
  pacer.Start(now);
  while (lesson.form.TimerEnabled()) {
    now += wake_ms;
    if (speed_later > 0 && now > 1000 && pacer.Speed() != speed_later) pacer.SetSpeed(speed_later, now);
    for (long due = pacer.DueTicks(now); due > 0 && lesson.form.TimerEnabled(); --due) {
      pacer.Ticked();
      lesson.form.Timer1_Timer();
    }
  }
  return lesson.classroom.RunLogText();
}

TEST(Classroom, SpeedAndStepChangeNothingInARunsLog) {
  const std::string normal = PacedLog(1.0, 25.0);
  EXPECT_EQ(PacedLog(0.25, 7.0), normal);
  EXPECT_EQ(PacedLog(4.0, 13.0), normal);   // late wake-ups run several ticks
  EXPECT_EQ(PacedLog(2.0, 3.0, 0.5), normal);

  Lesson stepped(11);
  stepped.form.Choose(kMethodBox, "Packet");
  stepped.Start();
  stepped.form.cmdStart_Click(1);  // Pause
  int steps = 0;
  for (; stepped.classroom.CanStep(); ++steps) stepped.classroom.Step();
  EXPECT_EQ(steps, 601);
  EXPECT_EQ(stepped.classroom.RunLogText(), normal);
  stepped.classroom.Step();  // past the end: nothing
  EXPECT_EQ(stepped.form.simulation().State().ClockMs, 15025);
}

TEST(RunPacer, KeepsTicksOnTheWallClockAtEverySpeed) {
  struct Case {
    double speed;
    double at_ms;
    long due;
  };
  for (const Case& c : {Case{1, 24.9, 0}, Case{1, 25, 1}, Case{1, 15000, 600}, Case{4, 6.25, 1},
                        Case{4, 3750, 600}, Case{0.25, 99, 0}, Case{0.25, 1000, 10}}) {
    RunPacer pacer;
    pacer.SetSpeed(c.speed, 0);
    pacer.Start(0);
    EXPECT_EQ(pacer.DueTicks(c.at_ms), c.due) << c.speed << " at " << c.at_ms;
  }
  RunPacer pacer;
  pacer.Start(100);
  EXPECT_EQ(pacer.NextDueMs(), 125);
  pacer.Ticked();
  EXPECT_EQ(pacer.DueTicks(149), 0);
  pacer.SetSpeed(4, 400);  // long overdue: one tick at once, then every 6.25 ms
  EXPECT_EQ(pacer.DueTicks(400), 1);
  EXPECT_EQ(pacer.DueTicks(412.5), 3);
}

TEST(Classroom, SaysWhatTheRunIsDoing) {
  Lesson lesson(1);
  EXPECT_EQ(lesson.classroom.PhaseText(), "Ready");
  EXPECT_EQ(lesson.classroom.ClockText(), "t = 0.000 s");
  EXPECT_FALSE(lesson.classroom.CanStep());
  lesson.form.Choose(kSizeBox, "1000");
  lesson.Start();
  EXPECT_EQ(lesson.classroom.PhaseText(), "Running");
  EXPECT_FALSE(lesson.classroom.CanStep());
  for (int tick = 0; tick < 130; ++tick) lesson.form.Timer1_Timer();
  EXPECT_EQ(lesson.classroom.ClockText(), "t = 3.250 s");
  lesson.form.Timer1_Timer();
  EXPECT_EQ(lesson.classroom.ClockText(), "t = 3.275 s");
  lesson.form.cmdStart_Click(1);
  EXPECT_EQ(lesson.classroom.PhaseText(), "Paused");
  lesson.form.cmdStart_Click(1);
  lesson.RunToEnd();
  EXPECT_EQ(lesson.classroom.PhaseText(), "Ended at 15.025 s");
  EXPECT_EQ(lesson.classroom.Notice(), "Ended at 15.025 s: the data was not delivered within 15 s");
  EXPECT_TRUE(lesson.classroom.Results().empty());
  lesson.Start();  // Reset
  EXPECT_EQ(lesson.classroom.PhaseText(), "Ready");
  lesson.form.cmdStart_Click(1);  // Pause before Start lets the clock run empty
  EXPECT_EQ(lesson.classroom.Phase(), RunPhase::EmptyClock);
}

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

// A second run starts afresh: its own seed, log, result and notices.
TEST(Classroom, ASecondRunStartsAfresh) {
  Lesson lesson(3);
  lesson.form.Choose(kMethodBox, "Circuit");
  lesson.Start();
  lesson.form.Timer1_Timer();
  lesson.form.Choose(DelayBox(0), "20");  // during the first run only
  lesson.RunToEnd();
  lesson.Start();  // Reset
  lesson.Start();
  const int notices = lesson.classroom.NoticeCount();
  lesson.RunToEnd();
  ASSERT_EQ(lesson.classroom.Results().size(), 2U);
  EXPECT_FALSE(lesson.classroom.Results().front().changed);
  EXPECT_TRUE(lesson.classroom.Results().back().changed);
  EXPECT_EQ(lesson.classroom.RunLogText(), DriverLog(*lesson.classroom.CurrentRun()));
  // The circuit lowers the rates again, and says so again.
  EXPECT_NE(lesson.classroom.NoticesSince(notices).find("links 1 and 3 lowered to 0.5"),
            std::string::npos);
}

// What a listener hears: every step of a run as a sentence, and each
// marker's completion as its text.
TEST(Classroom, SaysEachStepAloudAndWhatTheMarkersMean) {
  Lesson lesson(1);
  int heard = lesson.classroom.NoticeCount();
  const auto said = [&] {
    const std::string text = lesson.classroom.NoticesSince(heard);
    heard = lesson.classroom.NoticeCount();
    return text;
  };
  lesson.Start();
  lesson.Start();  // Reset before any marker: none to stay
  const std::string reset = said();
  EXPECT_EQ(reset.substr(reset.size() - 31), ". Reset: the traces are cleared") << reset;
  EXPECT_EQ(lesson.classroom.MarkerText(Marker::Circuit), "Circuit marker, not placed");
  lesson.form.Choose(kMethodBox, "Circuit");
  lesson.Start();
  EXPECT_EQ(said().rfind("Started Circuit: ", 0), 0U);
  while (lesson.form.RateColour(0) != kRed) lesson.form.Timer1_Timer();
  EXPECT_EQ(said(), "The circuit runs at the slowest link's rate: links 1 and 3 lowered to 0.5");
  lesson.form.cmdStart_Click(1);
  lesson.form.cmdStart_Click(1);
  const std::string clock = lesson.classroom.ClockText();
  EXPECT_EQ(said(), "Paused at " + clock + ". Continued at " + clock);
  lesson.RunToEnd();
  EXPECT_EQ(said(),
            "Circuit: 6375 ms, formula 6050 ms. Ended at 15.025 s; Circuit: 6375 ms, formula 6050 ms");
  EXPECT_EQ(lesson.classroom.MarkerText(Marker::Circuit),
            "Circuit completed at 6375 ms, formula 6050 ms");
  lesson.Start();  // Reset
  EXPECT_EQ(said(), "Reset: the traces are cleared, the markers stay");

  lesson.form.Choose(kMethodBox, "Packet");
  lesson.Start();
  while (!lesson.form.Markers()[static_cast<int>(Marker::Packet)].visible) {
    lesson.form.Timer1_Timer();
  }
  EXPECT_EQ(lesson.classroom.MarkerText(Marker::Packet), "Packet data arriving");
  said();
  lesson.form.Choose(DelayBox(1), "20");
  EXPECT_EQ(said(), "The delay of link 2 changed: traces and markers cleared, the run goes on");
  lesson.form.Choose(DelayBox(1), "50");  // nothing left to clear: nothing said
  EXPECT_EQ(said(), "");
}

TEST(Classroom, ARefusedRateNamesTheLinkAndBringsBackWhatTheBoxHeldBefore) {
  Lesson lesson(1);
  lesson.Type(0, "1e400");  // "1e40" was usable on the way
  lesson.form.RateEditingFinished(0);
  EXPECT_EQ(lesson.form.RateText(0), "1");  // as the box showed it
  EXPECT_EQ(lesson.form.simulation().State().SavedRates[0], 1.0);
  EXPECT_EQ(lesson.classroom.Notice(), "\"1e400\" is not a usable rate: link 1 keeps 1");
  lesson.Type(1, "abc");
  lesson.form.RateEditingFinished(1);
  EXPECT_EQ(lesson.classroom.Notice(), "\"abc\" is not a usable rate: link 2 keeps 0.5");
  const int notices = lesson.classroom.NoticeCount();
  lesson.form.RateEditingFinished(1);  // a usable text is no refusal
  EXPECT_EQ(lesson.classroom.NoticeCount(), notices);

  // A box the circuit turned red keeps the rate the circuit wrote.
  lesson.form.Choose(kMethodBox, "Circuit");
  lesson.Start();
  while (lesson.form.RateColour(2) != kRed) lesson.form.Timer1_Timer();
  lesson.Type(2, "x");
  lesson.form.RateEditingFinished(2);
  EXPECT_EQ(lesson.form.RateText(2), "0.5");
}

// Typed rates: how a text that is more than a number was read, a refusal
// quoted short, and a usable entry that replaces a refusal.
TEST(Classroom, SaysHowATypedRateWasReadAndReplacesARefusal) {
  Lesson lesson(1);
  const auto finish = [&](int link, const std::string& text) {
    lesson.Type(link, text);
    lesson.form.RateEditingFinished(link);
    return lesson.classroom.Notice();
  };
  EXPECT_EQ(finish(0, "1,5"), "\"1,5\" is read as 1; write 1.5 with a decimal point");
  EXPECT_EQ(finish(1, "3abc"), "\"3abc\" is read as 3");
  EXPECT_EQ(finish(1, "2.5.5"), "\"2.5.5\" is read as 2.5");
  EXPECT_EQ(finish(2, std::string(300, '9') + "x"),
            "\"" + std::string(40, '9') + "\u2026\" is read as 1e+300");
  EXPECT_EQ(finish(2, "abc" + std::string(400, '!')),
            "\"abc" + std::string(37, '!') + "\u2026\" is not a usable rate: link 3 keeps " +
                std::string(40, '9') + "\u2026");
  EXPECT_EQ(finish(2, "2"), "Link 3 takes the rate 2");
  const int notices = lesson.classroom.NoticeCount();
  EXPECT_EQ(finish(2, "4"), "Link 3 takes the rate 2");  // nothing stale to replace: nothing said
  EXPECT_EQ(lesson.classroom.NoticeCount(), notices);
}

// A change that clears strokes is said once an edit, with or without markers,
// and after runs of several techniques the completion says which came first.
TEST(Classroom, SaysEveryClearingAndWhichTechniqueDeliveredFirst) {
  Lesson lesson(1);
  lesson.Start();
  for (int tick = 0; tick < 10; ++tick) lesson.form.Timer1_Timer();
  lesson.form.Choose(DelayBox(1), "20");
  EXPECT_EQ(lesson.classroom.Notice(), "The delay of link 2 changed: traces cleared, the run goes on");
  int notices = lesson.classroom.NoticeCount();
  for (const char* text : {"1", "10"}) {
    lesson.form.Timer1_Timer();
    lesson.Type(0, text);
  }
  EXPECT_EQ(lesson.classroom.NoticeCount(), notices + 1);
  lesson.form.RateEditingFinished(0);
  lesson.form.Timer1_Timer();
  lesson.Type(0, "2");  // the next edit's clearing is said again
  EXPECT_EQ(lesson.classroom.Notice(), "The rate of link 1 changed: traces cleared, the run goes on");
  EXPECT_EQ(lesson.classroom.NoticeCount(), notices + 2);
  lesson.form.RateEditingFinished(0);

  for (const char* technique : {"Message", "Circuit", "Packet"}) {
    if (lesson.form.RunExists()) lesson.Start();  // Reset
    lesson.form.Choose(kMethodBox, technique);
    lesson.Start();
    lesson.RunToEnd();
  }
  EXPECT_EQ(lesson.classroom.Notice(),
            "Ended at 15.025 s; Packet: 4400 ms, formula 3800 ms. Packet first at 4400 ms, then "
            "Circuit 5825 ms, Message 6000 ms");
}

TEST(Margins, LabelsStandBesideTheirMarkersWithoutOverlapping) {
  constexpr double h = 200;
  const auto at = [](std::int32_t ms) {
    return MarkerState{true, ms, MarkerYTwips(ms)};
  };
  const auto rows = [](const std::vector<MarkerLabel>& labels) {
    std::vector<double> ys;
    for (const MarkerLabel& label : labels) ys.push_back(label.label_y_twips);
    return ys;
  };
  EXPECT_TRUE(LayOutMarkerLabels({}, h).empty());
  const auto apart = LayOutMarkerLabels({at(6900), at(6375), MarkerState{}}, h);
  ASSERT_EQ(apart.size(), 2U);
  EXPECT_EQ(apart[0].text, "C 6375\u2009ms");
  EXPECT_EQ(apart[1].text, "M 6900\u2009ms");
  EXPECT_EQ(rows(apart), (std::vector<double>{MarkerYTwips(6375), MarkerYTwips(6900)}));

  const double y = MarkerYTwips(5000);
  EXPECT_EQ(rows(LayOutMarkerLabels({at(5000), at(5000), at(5100)}, h)),
            (std::vector<double>{y, y + h, y + 2 * h}));
  constexpr double tall = 600;
  const double bottom = layout::kClientHeight - tall / 2;
  EXPECT_EQ(rows(LayOutMarkerLabels({at(15025), at(15000), at(14975)}, tall)),
            (std::vector<double>{bottom - 2 * tall, bottom - tall, bottom}));
  EXPECT_EQ(rows(LayOutMarkerLabels({at(0), MarkerState{}, MarkerState{}}, h)),
            (std::vector<double>{layout::kMarkerLabelStrip.top + h / 2}));

  const std::vector<TimeMark> marks = TimeScaleMarks();
  ASSERT_EQ(marks.size(), 14U);  // 0 s to 13 s: the traces show 13.38 s
  EXPECT_EQ(marks[13].y_twips, 6500);
  EXPECT_EQ(marks[13].label, "13");
}

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
