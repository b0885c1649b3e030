#include "form/due_ticks.h"

#include <algorithm>

namespace switchsim {

long RunDueTicks(RunPacer& pacer, FormLogic& form, double now_ms) {
  const long due = std::min(pacer.DueTicks(now_ms), kMostTicksAWake);
  long ran = 0;
  for (; ran < due && form.TimerEnabled(); ++ran) {
    pacer.Ticked();
    form.Timer1_Timer();
  }
  return ran;
}

}  // namespace switchsim
