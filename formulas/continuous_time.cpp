#include "formulas/continuous_time.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "simulation/constants.h"
#include "simulation/model_units.h"
#include "simulation/numbers.h"

namespace switchsim {
namespace {

// Units leaving Transmit together, in order, each stored and forwarded on
// every link and served first come first served.
double StoreAndForwardMs(const LinkModel& model, const std::vector<std::int16_t>& units) {
  std::array<double, kLinkCount> link_free{};
  double last_arrival = 0.0;
  for (const double blocks : units) {
    double ready = 0.0;
    for (int k = 0; k < kLinkCount; ++k) {
      const double start = std::max(ready, link_free[k]);
      link_free[k] = start + SendMs(model.rates[k], blocks);
      ready = link_free[k] + CrossMs(model.delays[k]);
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
  const std::int16_t blocks = BlocksForSize(model.size);
  if (technique == kMethodMessage) {
    return StoreAndForwardMs(model, {MessageUnitBlocks(blocks, model.packeting)});
  }
  if (technique == kMethodPacket) return StoreAndForwardMs(model, PacketBlocks(blocks, model.packeting));
  if (technique == kMethodCircuit) {
    double control = 0.0;
    double propagation = 0.0;
    for (int k = 0; k < kLinkCount; ++k) {
      control += 2 * (SendMs(model.rates[k], 1) + CrossMs(model.delays[k]));
      propagation += CrossMs(model.delays[k]);
    }
    const double slowest = *std::min_element(model.rates.begin(), model.rates.end());
    return control + SendMs(slowest, blocks) + propagation;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace switchsim
