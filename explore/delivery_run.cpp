#include "explore/delivery_run.h"

#include "form/marker.h"
#include "simulation/numbers.h"

namespace switchsim {
namespace {

// How many units of data the technique sends: the message, the circuit's
// one stream, or the packets.
int DataUnits(const RunParameters& parameters) {
  if (parameters.technique != kMethodPacket) return 1;
  const std::int16_t blocks = BlocksForSize(LeadingNumber(parameters.size));
  return static_cast<int>(PacketBlocks(blocks, parameters.packeting).size());
}

}  // namespace

DeliveryRun::DeliveryRun() : random_(0), simulation_(*this, random_) {}

std::optional<std::int32_t> DeliveryRun::CompletionMs(const RunParameters& parameters) {
  technique_ = parameters.technique;
  size_ = parameters.size;
  delays_ = parameters.delays;
  rates_ = parameters.rates;
  // The rates as the form records a chosen rate; the reset then shows them.
  rate_colours_.fill(kBlack);
  label_colours_.fill(kBlack);
  for (int k = 0; k < kLinkCount; ++k) simulation_.RecordRate(k);
  if (!simulation_.SetPacketing(parameters.packeting)) return std::nullopt;

  random_.Reseed(parameters.seed);
  simulation_.ResetSimulation();
  data_arrived_ = 0;
  simulation_.SetUpTransfer();
  SetTimerEnabled(true);
  const int data_units = DataUnits(parameters);
  while (timer_enabled_ && data_arrived_ < data_units) simulation_.SimulationTick();
  if (data_arrived_ < data_units) return std::nullopt;
  return last_marker_ms_;
}

void DeliveryRun::UnitCompleted(const Arrival& arrival) {
  if (!MarkerFor(technique_, arrival.kind)) return;
  ++data_arrived_;
  last_marker_ms_ = arrival.clock_ms;
}

}  // namespace switchsim
