#include "model_units.h"

namespace switchsim {

std::vector<std::int16_t> PacketBlocks(int message_blocks) {
  std::vector<std::int16_t> packets;
  for (int remaining = message_blocks;
       remaining >= 1 && static_cast<int>(packets.size()) < kMostPackets;) {
    const int blocks = remaining <= kPacketBlocks ? remaining : kPacketBlocks;
    packets.push_back(static_cast<std::int16_t>(blocks));
    remaining -= blocks;
  }
  return packets;
}

}  // namespace switchsim
