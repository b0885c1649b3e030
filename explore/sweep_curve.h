#pragma once

#include "explore/curve_data.h"
#include "explore/sweep.h"

namespace switchsim {

/// What the curves of a completion-time sweep show: per technique the
/// formula and the simulated points of every seed (in the order of the
/// sweep's runs; a run not delivered within 15 s in the band above the
/// plot), the overtakes and, along the packet size, the least packet formula.
CurveData SweepCurveData(const Sweep& sweep);

}  // namespace switchsim
