#pragma once

#include <cstdint>
#include <string_view>

namespace switchsim {

/// A 24-bit colour as 0xRRGGBB.
using Rgb = std::uint32_t;

/// Builds an Rgb from its red, green and blue components (0 to 255 each).
constexpr Rgb MakeRgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return (red << 16) | (green << 8) | blue;
}
constexpr std::uint32_t RedOf(Rgb c) { return (c >> 16) & 0xffU; }
constexpr std::uint32_t GreenOf(Rgb c) { return (c >> 8) & 0xffU; }
constexpr std::uint32_t BlueOf(Rgb c) { return c & 0xffU; }

/// 16-bit flags: true is -1, false is 0.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

inline constexpr int kRecordCount = 101;      // records in the unit table
inline constexpr int kLinkCount = 3;          // links between the four nodes
inline constexpr int kLinkSlots = 4;          // size of the link flag and rate arrays
inline constexpr int kLastPacketRecord = 99;  // highest record a packet may use

inline constexpr int kTimerIntervalMs = 25;   // ms of clock per tick
inline constexpr int kStopAfterMs = 15000;    // ms: the timer stops once the clock exceeds this
inline constexpr double kSizePerBlock = 20.0;  // message-size units per block
inline constexpr double kNoRateYet = 1e20;     // start value of the bottleneck minimum (blocks per 100 ms)

inline constexpr Rgb kBlack = MakeRgb(0, 0, 0);
inline constexpr Rgb kRed = MakeRgb(255, 0, 0);
inline constexpr Rgb kMessageGreen = MakeRgb(0, 192, 0);
inline constexpr Rgb kCircuitBlue = MakeRgb(0, 0, 192);
inline constexpr Rgb kPacketOrange = MakeRgb(224, 128, 32);  // the packets' colour before any is drawn
inline constexpr Rgb kControlPurple = MakeRgb(192, 0, 192);
inline constexpr Rgb kAckRed = MakeRgb(192, 0, 0);

inline constexpr double kPacketColourBase = 64.0;   // lowest packet colour component
inline constexpr double kPacketColourSpan = 192.0;  // random span of a packet colour component

/// Unit kinds as stored in TransferUnit::Kind.
inline constexpr std::int16_t kKindMessage = 0;
inline constexpr std::int16_t kKindPacket = 1;  // also the circuit's release unit
inline constexpr std::int16_t kKindCircuitData = 2;
inline constexpr std::int16_t kKindSetUpRequest = 3;
inline constexpr std::int16_t kKindAcknowledgement = 4;
inline constexpr std::int16_t kKindPassedOnData = 10;

/// Record status codes.
inline constexpr std::int16_t kIdle = -1;
inline constexpr std::int16_t kWaiting = 0;
inline constexpr std::int16_t kOnLink = 1;

/// The techniques, as the technique box names them.
inline constexpr std::string_view kMethodMessage = "Message";
inline constexpr std::string_view kMethodCircuit = "Circuit";
inline constexpr std::string_view kMethodPacket = "Packet";

}  // namespace switchsim
