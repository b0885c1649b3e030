#include "simulation/model_units.h"

namespace switchsim {

std::vector<std::int16_t> PacketBlocks(int message_blocks, const Packeting& packeting) {
  std::vector<std::int16_t> packets;
  const int p = packeting.packet_blocks;
  for (int remaining = message_blocks;
       remaining >= 1 && static_cast<int>(packets.size()) < kMostPackets;) {
    const int payload = remaining <= p ? remaining : p;
    packets.push_back(static_cast<std::int16_t>(payload + packeting.header_blocks));
    remaining -= payload;
  }
  return packets;
}

std::int16_t MessageUnitBlocks(int message_blocks, const Packeting& packeting) {
  return static_cast<std::int16_t>(message_blocks + packeting.header_blocks);
}

}  // namespace switchsim
