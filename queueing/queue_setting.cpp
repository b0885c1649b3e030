#include "queueing/queue_setting.h"

#include <cmath>

#include "simulation/model_units.h"
#include "simulation/numbers.h"
#include "text/translation.h"

namespace switchsim {

double ServiceMs(const QueueSetting& s) { return s.blocks * (100.0 / s.rate); }

double MeanWaitFormulaMs(const QueueSetting& s) {
  const double rho = s.intensity;
  return rho * ServiceMs(s) / (2.0 * (1.0 - rho));
}

std::optional<std::string> QueueRefusal(const QueueSetting& s) {
  const auto shown = [](double value) { return PeopleNumber(ShortestText(value)); };
  if (!(s.intensity >= kLeastIntensity && s.intensity <= kMostIntensity)) {
    return Fill(Tr("{0} is not an intensity to run; use {1} to {2} (at 1 and above the queue grows without end)"),
                {shown(s.intensity), shown(kLeastIntensity), shown(kMostIntensity)});
  }
  if (s.buffer && (*s.buffer < 0 || *s.buffer > kMostBuffer)) {
    return Fill(Tr("{0} is not a buffer; hold 0 to {1} packets, or leave it out for no limit"),
                {std::to_string(*s.buffer), std::to_string(kMostBuffer)});
  }
  if (s.packets < 1 || s.packets > kMostQueuePackets) {
    return Fill(Tr("{0} packets: a run takes 1 to {1}"), {std::to_string(s.packets), std::to_string(kMostQueuePackets)});
  }
  if (!(s.rate > 0.0) || !std::isfinite(s.rate)) return Fill(Tr("{0} is not a rate; use a number above 0"), {shown(s.rate)});
  if (s.blocks < kFewestPacketBlocks || s.blocks > kMostPacketBlocks) {
    return Fill(Tr("{0} blocks: a packet is 1 to 50"), {std::to_string(s.blocks)});
  }
  return std::nullopt;
}

}  // namespace switchsim
