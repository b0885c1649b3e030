// A long session on one window: many whole runs (Start, ticks until the
// timer stops, Reset), with the resident memory before and after.
//
//   form_soak [RUNS]    (default 10000)
//
// Prints the figures and exits 1 when the memory grew by 1 MB or more.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "simulation/constants.h"
#include "window/form1.h"

namespace {

constexpr long kAllowedGrowthKb = 1024;
constexpr int kWarmUpRuns = 30;  // fills Qt's caches before the first measurement

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

void QuietMessages(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

// One run of the technique with list index `technique`; returns its ticks.
long WholeRun(switchsim::Form1& form, int technique) {
  form.cmbMethod->setCurrentIndex(technique);
  form.cmdStart_Click(0);
  long ticks = 0;
  while (form.Timer1->isActive()) {
    form.Timer1_Timer();
    ++ticks;
  }
  form.cmdStart_Click(0);
  // Repaints and deferred deletions, as the event loop would do them between runs.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return ticks;
}

}  // namespace

int main(int argc, char** argv) {
  const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
  if (runs < 1) {
    std::fprintf(stderr, "form_soak: RUNS must be a whole number of 1 or more\n");
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietMessages);
  int qt_argc = 1;
  QApplication application(qt_argc, argv);

  switchsim::Form1 form(1);
  form.show();
  const long at_start_kb = ResidentKb();
  for (int i = 0; i < kWarmUpRuns; ++i) WholeRun(form, i % 3);
  const long before_kb = ResidentKb();
  long ticks = 0;
  for (long i = 0; i < runs; ++i) ticks += WholeRun(form, static_cast<int>(i % 3));
  const long after_kb = ResidentKb();

  const long growth_kb = after_kb - before_kb;
  std::printf("form_soak: %ld runs, %ld ticks on one window\n", runs, ticks);
  std::printf("resident memory: %ld kB with the window shown, %ld kB after %d warm-up runs, "
              "%ld kB after the %ld runs: growth %ld kB (allowed: under %ld kB)\n",
              at_start_kb, before_kb, kWarmUpRuns, after_kb, runs, growth_kb, kAllowedGrowthKb);
  return growth_kb < kAllowedGrowthKb ? 0 : 1;
}
