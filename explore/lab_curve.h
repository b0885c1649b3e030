#pragma once

#include <string>

#include "explore/curve_data.h"
#include "explore/lab_sweep.h"

namespace switchsim {

/// What the lab's curve shows: the formula as a line and the simulated
/// points of every seed, in the order of the runs; along the users, the
/// circuits' limit floor(C / r) as a dashed line.
CurveData LabCurveData(const LabSweep& sweep);

/// What the sweep keeps, with "x" for what it varies, and its seeds:
/// "users x of 0.1 Mbps on 1 Mbps, active 0.1, 100000 slots, seeds 1 to 3".
std::string LabSweepContext(const LabSweep& sweep);

/// The runs made so far as CSV (RFC 4180, lines ending in CRLF): the heading
/// "users,seed,congestion_simulated,congestion_formula" or
/// "intensity,seed,mean_wait_simulated_ms,mean_wait_formula_ms", then one row
/// a run, its numbers written shortest, as the driver's JSON writes them.
std::string LabSweepCsv(const LabSweep& sweep);

/// The runs made so far as a table for a terminal or a screen reader: a
/// heading, one row a value with its formula and each seed's figure, and
/// the circuits' limit along the users.
std::string LabSweepTableText(const LabSweep& sweep);

}  // namespace switchsim
