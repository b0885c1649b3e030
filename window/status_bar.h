#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QStatusBar>

#include "classroom/classroom.h"
#include "window/notice_label.h"

namespace switchsim {

/// The main window's status bar: the last notice, the run's phase, the speed
/// and the clock, left to right, as the classroom says them. The labels'
/// texts are their accessible names, so that a change is heard; what each
/// is, is its description. The clock is the exception: its name changes
/// with the run's state only, and the window's Read Clock says it on demand.
class StatusBar : public QStatusBar {
  Q_OBJECT

 public:
  explicit StatusBar(QWidget* parent = nullptr);

  /// Shows what the classroom says now, at `speed_name`. After ticks
  /// (`after_ticks`) only what a tick can change is looked at, and the
  /// clock waits for its next refresh while the run goes on.
  void Refresh(const Classroom& classroom, const QString& speed_name, bool after_ticks);

  NoticeLabel* notice = nullptr;  ///< the last event: a start, a completion, a refused rate
  QLabel* phase = nullptr;   ///< ready, running, paused, ended
  QLabel* speed = nullptr;
  QLabel* clock = nullptr;

 private:
  QElapsedTimer clock_shown_;  // since the clock's text was last set
  int notices_shown_ = -1;
  RunPhase phase_shown_ = RunPhase::Ready;
};

}  // namespace switchsim
