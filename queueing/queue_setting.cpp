#include "queueing/queue_setting.h"

#include <cmath>

#include "simulation/model_units.h"
#include "simulation/numbers.h"

namespace switchsim {

double ServiceMs(const QueueSetting& s) { return s.blocks * (100.0 / s.rate); }

double MeanWaitFormulaMs(const QueueSetting& s) {
  const double rho = s.intensity;
  return rho * ServiceMs(s) / (2.0 * (1.0 - rho));
}

std::optional<std::string> QueueRefusal(const QueueSetting& s) {
  if (!(s.intensity >= kLeastIntensity && s.intensity <= kMostIntensity)) {
    return ShortestText(s.intensity) + " is not an intensity to run; use 0.05 to 0.99 (at 1 and above the queue " +
           "grows without end)";
  }
  if (s.buffer && (*s.buffer < 0 || *s.buffer > kMostBuffer)) {
    return std::to_string(*s.buffer) + " is not a buffer; hold 0 to " + std::to_string(kMostBuffer) +
           " packets, or leave it out for no limit";
  }
  if (s.packets < 1 || s.packets > kMostQueuePackets) {
    return std::to_string(s.packets) + " packets: a run takes 1 to " + std::to_string(kMostQueuePackets);
  }
  if (!(s.rate > 0.0) || !std::isfinite(s.rate)) return ShortestText(s.rate) + " is not a rate; use a number above 0";
  if (s.blocks < kFewestPacketBlocks || s.blocks > kMostPacketBlocks) {
    return std::to_string(s.blocks) + " blocks: a packet is 1 to 50";
  }
  return std::nullopt;
}

}  // namespace switchsim
