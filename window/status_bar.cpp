#include "window/status_bar.h"

#include <QFontMetrics>

#include "classroom/status_texts.h"
#include "simulation/constants.h"
#include "window/qt_text.h"
#include "window/ui_text.h"

namespace switchsim {
namespace {

constexpr int kClockRefreshMs = 250;  // ms of wall time between the clock's refreshes in a run

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
  notice = new NoticeLabel(this);
  notice->setAccessibleDescription(Ui("Last event"));
  // A long notice is cut off rather than widening the window.
  notice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  phase = new QLabel(this);
  phase->setAccessibleDescription(Ui("Run state"));
  speed = new QLabel(this);
  speed->setAccessibleDescription(Ui("Speed"));
  clock = new QLabel(this);
  clock->setAccessibleDescription(Ui("Clock"));
  // Wide enough for the longest clock, so that the bar does not shift as it runs.
  // A fixed size also spares the bar a new layout each time the text changes.
  const QFontMetrics metrics(clock->font());
  const QString longest = ToQString(ClockTextOf(kStopAfterMs + kTimerIntervalMs));
  clock->setFixedSize(metrics.horizontalAdvance(longest) + 8, metrics.height());
  // Opaque, so that its refresh repaints nothing beneath it.
  clock->setAutoFillBackground(true);
  for (QLabel* label : {static_cast<QLabel*>(notice), phase, speed}) label->setContentsMargins(6, 0, 6, 0);
  addWidget(notice, 1);
  addPermanentWidget(phase);
  addPermanentWidget(speed);
  addPermanentWidget(clock);
  setSizeGripEnabled(false);
}

void StatusBar::Refresh(const Classroom& classroom, const QString& speed_name, bool after_ticks) {
  if (!after_ticks) speed->setText(Filled(Ui("Speed {0}"), {speed_name}));
  const RunPhase now = classroom.Phase();
  if (!after_ticks || now != phase_shown_) {
    phase_shown_ = now;
    phase->setText(ToQString(classroom.PhaseText()));
    // Read on demand: while the clock runs its name stays, so that a screen
    // reader is not told of every refresh; stopped, it names the time.
    const QString name = now == RunPhase::Running || now == RunPhase::EmptyClock
                             ? Ui("Clock, running")
                             : Filled(Ui("Clock, {0}"), {ToQString(classroom.ClockText())});
    if (clock->accessibleName() != name) clock->setAccessibleName(name);
  }
  if (classroom.NoticeCount() != notices_shown_) {
    // Several notices at once (a refused rate that cleared the markers) are all heard.
    notice->setAccessibleName(ToQString(classroom.NoticesSince(notices_shown_)));
    notice->setText(ToQString(classroom.Notice()));
    notices_shown_ = classroom.NoticeCount();
  }
  if (!after_ticks || now != RunPhase::Running || !clock_shown_.isValid() ||
      clock_shown_.elapsed() >= kClockRefreshMs) {
    clock->setText(ToQString(classroom.ClockText()));
    clock_shown_.start();
  }
}

}  // namespace switchsim
