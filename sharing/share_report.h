#pragma once

#include <string>

#include "sharing/share_run.h"

namespace switchsim {

/// The textbook's second case for a setting: one user alone sends a burst
/// of `packets` packets of `bits` bits while the others are idle. With a
/// circuit it has only its reserved rate r; with packets the whole link C.
struct BurstCase {
  int packets = 1000;
  int bits = 1000;
  double reserved_s = 0.0;  // at the user's reserved rate, rates in Mbps
  double shared_s = 0.0;    // on the whole link
};
BurstCase BurstCaseOf(const ShareSetting& setting, int packets = 1000, int bits = 1000);

/// The congestion probability the formula gives: P(X > floor(C / r)), X
/// binomial over the users with their activity.
double CongestionFormula(const ShareSetting& setting);

/// A finished (or partly run) shared link as one JSON object, on one line:
/// "users", "active", "user_rate", "link_rate", "burst_slots", "slots",
/// "seed", "circuit_users", "refused_users", "congestion_formula",
/// "congestion_simulated", "congestion_interval" (half its 99.9 % width),
/// "congested_slots", "offered_load", "circuit_use", "packet_use",
/// "reserved_idle", "burst_packets", "burst_reserved_s", "burst_shared_s".
std::string ShareJson(const ShareRun& run);

/// The same as a short table a person reads.
std::string ShareTable(const ShareRun& run);

}  // namespace switchsim
