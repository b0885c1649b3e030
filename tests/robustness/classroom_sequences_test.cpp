// Seeded random sequences of user actions on the program's window: the
// results of the runs stay true to their commands through all of them.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <sstream>

#include "actions.h"
#include "form_session.h"
#include "window/main_window.h"
#include "tools/options.h"
#include "tools/trace_run.h"

namespace switchsim::robustness {
namespace {

constexpr int kSequences = 300;
constexpr int kActionsPerSequence = 40;

// The completion the driver gives for the command the results offer.
std::optional<std::int32_t> DriverCompletion(const RunParameters& parameters) {
  std::istringstream words(TraceCommand(parameters));
  std::vector<std::string> args;
  for (std::string word; words >> word;) {
    if (word != "switchsim-trace") args.push_back(word);
  }
  const auto options = std::get<trace::Options>(trace::ParseOptions(args));
  std::string ignored;
  return trace::RunTraces(options, options.seed, ignored).front().completed_ms;
}

TEST(ClassroomSequences, EveryResultWithoutAChangeIsReproducedByItsCommand) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath("switchsim.ini"), QSettings::IniFormat);
  MainWindow window(settings, StartOptions());
  window.show();
  for (std::uint64_t seed = 1; seed <= kSequences; ++seed) {
    FormSession session(window.form());
    SeededChooser chooser(seed + 2'000'000);
    const std::string report = Play(session, chooser, Alphabet{false}, kActionsPerSequence);
    ASSERT_TRUE(report.empty()) << "sequence " << seed << ", " << report;
    window.Refresh(false);
    EXPECT_EQ(window.step->isEnabled(), window.classroom().CanStep());
    EXPECT_EQ(window.status->clock->text().toStdString(), window.classroom().ClockText());
  }
  int unchanged = 0;
  for (const RunResult& result : window.classroom().Results()) {
    if (result.changed) continue;
    ++unchanged;
    EXPECT_EQ(DriverCompletion(result.parameters), result.simulated_ms)
        << TraceCommand(result.parameters);
  }
  EXPECT_GT(unchanged, 3) << window.classroom().Results().size();
  EXPECT_GT(window.classroom().Results().size(), static_cast<std::size_t>(unchanged));
}

}  // namespace
}  // namespace switchsim::robustness
