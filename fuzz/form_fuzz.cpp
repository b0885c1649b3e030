// User actions decoded from the fuzzer's bytes, done on a fresh real window
// on the offscreen platform; every invariant is checked after every step.
#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "actions.h"
#include "window/form1.h"
#include "form_session.h"

namespace {

constexpr int kMaxActions = 60;

// Qt's notes about the session (no runtime folder and the like) would drown the fuzzer's output.
void QuietMessages(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietMessages);
  static int argc = 1;
  static char name[] = "form_fuzz";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own statics go before a static application would.
  static QApplication* application = new QApplication(argc, argv);
  static_cast<void>(application);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace switchsim::robustness;
  ByteChooser chooser(std::span<const std::uint8_t>(data, size));
  {
    switchsim::Form1 form(chooser.Pick(256));
    form.show();
    FormSession session(form);
    const std::string report = Play(session, chooser, Alphabet{false}, kMaxActions);
    if (!report.empty()) {
      std::fprintf(stderr, "%s", report.c_str());
      std::abort();
    }
  }
  // What the closed window left for the event loop to delete, as the loop would.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return 0;
}
