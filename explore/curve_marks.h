#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formulas/continuous_time.h"
#include "explore/sweep.h"

namespace switchsim {

/// Where one technique's formula curve drops below another's as x grows.
struct Overtake {
  int faster = 0;  // the technique that is quicker after the crossing
  int slower = 0;
  double x = 0.0;   // interpolated between the two x values around the crossing
  double ms = 0.0;  // the curves' common value there, interpolated likewise
};

/// The crossings of the formula curves of every pair of techniques, in
/// increasing x. Between two neighbouring x values the curves are taken as
/// straight; where they are equal over several x values the crossing is the
/// first of them.
std::vector<Overtake> FindOvertakes(const Sweep& sweep);
/// The same crossings of the simulated curves of the sweep's first seed,
/// once its runs are made: an x where a run did not deliver is left out.
std::vector<Overtake> FindSimulatedOvertakes(const Sweep& sweep);

/// The packet size whose packet formula is the least.
struct PacketOptimum {
  int packet_blocks = 0;
  double ms = 0.0;
};

/// The packet size from `fewest` to `most` blocks (within 1 to 50) with the
/// least packet formula for `model` (its packet size aside); the smallest
/// of equals. Every whole size is tried, not only a sweep's.
PacketOptimum OptimalPacket(const LinkModel& model, int fewest, int most);

/// The optimum over a sweep's range of packet sizes; empty unless the sweep
/// is along the packet size.
std::optional<PacketOptimum> SweepOptimum(const Sweep& sweep);

/// "Packet overtakes Message at message size ≈ 137.5 units (6875 ms)", in
/// the language in use (as the texts below).
std::string OvertakeText(const Sweep& sweep, const Overtake& overtake);
/// "Least packet formula: 5 blocks, 7500 ms".
std::string OptimumText(const PacketOptimum& optimum);
/// The texts of all the sweep's marks, one a line.
std::vector<std::string> MarkTexts(const Sweep& sweep);

}  // namespace switchsim
