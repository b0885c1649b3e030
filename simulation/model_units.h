#pragma once

#include <cstdint>
#include <vector>

#include "simulation/constants.h"

namespace switchsim {

// The model's units, in one place for the tick, the set-up, the formulas of
// continuous time and the guide that explains them: a rate R (blocks per
// 100 ms) sends one block in 100 / R ms of clock, a delay d lets the first
// bit cross a link in 5 x d ms, a block is 20 units of message size, and
// the packet technique cuts a message into packets of p blocks (two unless
// chosen otherwise), each with h blocks of header (none unless chosen).

inline constexpr double kMsPerBlockAtRateOne = 100.0;  // ms to send one block at rate 1
inline constexpr double kMsPerDelayUnit = 5.0;         // ms for the first bit to cross, per unit of delay
inline constexpr int kPacketBlocks = 2;                // blocks of a full packet, unless chosen
inline constexpr int kFewestPacketBlocks = 1;          // the packet size's range, in blocks
inline constexpr int kMostPacketBlocks = 50;
inline constexpr int kMostHeaderBlocks = 10;           // the header size's range is 0 to this, in blocks
inline constexpr int kMostPackets = kLastPacketRecord;  // packets use records 1 to 99 of the unit table

/// ms of clock to put `blocks` blocks onto a link of rate `rate`: 100 / R x b.
constexpr double SendMs(double rate, double blocks) { return kMsPerBlockAtRateOne / rate * blocks; }
/// ms of clock for the first bit to cross a link of delay `delay`: 5 x d.
constexpr double CrossMs(double delay) { return kMsPerDelayUnit * delay; }

// The tick's positions. The order of their operations is part of the model:
// which tick a unit hands over on depends on it. d / 200 is the crossing
// time 5 x d ms in seconds.
inline constexpr double kDelayUnitsPerSecond = 1000.0 / kMsPerDelayUnit;

/// Where a unit's first bit is, as a fraction of its link (not held to 1),
/// `t_ms` after it started on a link of delay `delay`: t / (d / 200) / 1000.
constexpr double HeadFraction(double t_ms, double delay) {
  return t_ms / (delay / kDelayUnitsPerSecond) / 1000.0;
}
/// Where its last bit is (not held to 0), for a unit of `blocks` blocks on
/// a link of rate `rate`: (t - 100 / R x b) / (d / 200) / 1000.
constexpr double TailFraction(double t_ms, double delay, double rate, double blocks) {
  return (t_ms - SendMs(rate, blocks)) / (delay / kDelayUnitsPerSecond) / 1000.0;
}

/// How a message is cut and addressed: the payload of a full packet and the
/// header added to every packet and to a whole message, in blocks. The
/// defaults are the form's own; the ranges are kFewestPacketBlocks to
/// kMostPacketBlocks and 0 to kMostHeaderBlocks.
struct Packeting {
  int packet_blocks = kPacketBlocks;
  int header_blocks = 0;

  friend bool operator==(const Packeting&, const Packeting&) = default;
};

/// Whether both sizes are within their ranges.
constexpr bool IsUsablePacketing(const Packeting& p) {
  return p.packet_blocks >= kFewestPacketBlocks && p.packet_blocks <= kMostPacketBlocks &&
         p.header_blocks >= 0 && p.header_blocks <= kMostHeaderBlocks;
}

/// The blocks of each packet a message of `message_blocks` blocks is cut
/// into, in the order they leave, headers included: with n blocks remaining,
/// a packet carries n if n <= p, otherwise p, plus h; at most kMostPackets
/// of them, and none for a message of no blocks.
std::vector<std::int16_t> PacketBlocks(int message_blocks, const Packeting& packeting = {});

/// The blocks of the message technique's one unit: the message and one header.
std::int16_t MessageUnitBlocks(int message_blocks, const Packeting& packeting = {});

}  // namespace switchsim
