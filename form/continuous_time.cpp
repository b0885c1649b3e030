#include "continuous_time.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "constants.h"
#include "numbers.h"

namespace switchsim {
namespace {

double TransmissionMs(double rate, double blocks) { return 100 / rate * blocks; }
double PropagationMs(double delay) { return 5 * delay; }

// Units leaving Transmit together, in order, each stored and forwarded on
// every link and served first come first served.
double StoreAndForwardMs(const LinkModel& model, int units, int blocks_each, int last_blocks) {
  std::array<double, kLinkCount> link_free{};
  double last_arrival = 0.0;
  for (int unit = 0; unit < units; ++unit) {
    const double blocks = unit + 1 == units ? last_blocks : blocks_each;
    double ready = 0.0;
    for (int k = 0; k < kLinkCount; ++k) {
      const double start = std::max(ready, link_free[k]);
      link_free[k] = start + TransmissionMs(model.rates[k], blocks);
      ready = link_free[k] + PropagationMs(model.delays[k]);
    }
    last_arrival = std::max(last_arrival, ready);
  }
  return last_arrival;
}

}  // namespace

LinkModel ModelOfTexts(std::string_view size, const std::array<std::string, 3>& rates,
                       const std::array<std::string, 3>& delays) {
  LinkModel model;
  for (int k = 0; k < kLinkCount; ++k) {
    model.rates[k] = LeadingNumber(rates[k]);
    model.delays[k] = LeadingNumber(delays[k]);
  }
  model.size = LeadingNumber(size);
  return model;
}

double ContinuousCompletionMs(std::string_view technique, const LinkModel& model) {
  const int blocks = BlocksForSize(model.size);
  if (technique == kMethodMessage) return StoreAndForwardMs(model, 1, blocks, blocks);
  if (technique == kMethodPacket) {
    if (blocks < 1) return 0.0;
    const int packets = std::min((blocks + 1) / 2, kLastPacketRecord);
    const bool odd_tail = blocks % 2 == 1 && (blocks + 1) / 2 <= kLastPacketRecord;
    return StoreAndForwardMs(model, packets, 2, odd_tail ? 1 : 2);
  }
  if (technique == kMethodCircuit) {
    double control = 0.0;
    double propagation = 0.0;
    for (int k = 0; k < kLinkCount; ++k) {
      control += 2 * (TransmissionMs(model.rates[k], 1) + PropagationMs(model.delays[k]));
      propagation += PropagationMs(model.delays[k]);
    }
    const double slowest = *std::min_element(model.rates.begin(), model.rates.end());
    return control + TransmissionMs(slowest, blocks) + propagation;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace switchsim
