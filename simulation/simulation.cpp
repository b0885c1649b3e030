#include "simulation/simulation.h"

#include <algorithm>
#include <cmath>

#include "simulation/model_units.h"
#include "simulation/numbers.h"

namespace switchsim {
namespace {

// Stands in when nobody listens, so the tick needs no null checks.
SimulationObserver silent_observer;

Rgb RandomPacketColour(RandomSource& random) {
  std::array<std::uint32_t, 3> components{};
  for (auto& component : components) {  // drawn in the order red, green, blue
    const double value =
        RoundHalfEven(kPacketColourBase + kPacketColourSpan * random.NextDouble());
    component = static_cast<std::uint32_t>(std::min(value, 255.0));
  }
  return MakeRgb(components[0], components[1], components[2]);
}

}  // namespace

Simulation::Simulation(SimulationView& view, RandomSource& random) : view_(view), random_(random) {
  // A new table is all zero: every record counts as waiting until the first reset.
  for (int f = 0; f < kRecordCount; ++f) live_.Insert(f);
}

void Simulation::SetStatus(int f, std::int16_t status) {
  state_.UnitTable[f].Status = status;
  if (status == kIdle) {
    live_.Erase(f);
  } else {
    live_.Insert(f);
  }
}

const Simulation::LinkReading& Simulation::ReadLink(int k) {
  LinkReading& link = links_[k];
  if (link.fresh) return link;
  std::string delay = view_.DelayText(k);
  if (!link.read || delay != link.delay_text) {
    link.delay = LeadingNumber(delay);
    link.delay_text = std::move(delay);
  }
  std::string rate = view_.RateText(k);
  if (!link.read || rate != link.rate_text) {
    link.rate_number = LeadingNumber(rate);
    link.rate_text = std::move(rate);
  }
  link.read = true;
  link.fresh = true;
  return link;
}

SimulationObserver& Simulation::Observer() const {
  return observer_ != nullptr ? *observer_ : silent_observer;
}

void Simulation::ResetSimulation() {
  state_.ClockMs = 0;
  for (auto& unit : state_.UnitTable) unit.Status = kIdle;
  live_.Clear();
  state_.LinkBusy.fill(kFalse);
  view_.SetTimerEnabled(false);
  // The texts go back before the colours: a box still red ignores the change.
  for (int k = 0; k < kLinkCount; ++k) view_.SetRateText(k, ShortestText(state_.SavedRates[k]));
  for (int k = 0; k < kLinkCount; ++k) {
    view_.ClearTrace(k);
    view_.SetRateColour(k, kBlack);
    view_.SetRateLabelColour(k, kBlack);
  }
  state_.DataReleased = kFalse;
}

std::int16_t Simulation::MessageBlocks() const {
  return BlocksForSize(LeadingNumber(view_.MessageSizeText()));
}

void Simulation::SetUpTransfer() {
  const std::string technique = view_.MethodText();
  auto& table = state_.UnitTable;
  if (technique == kMethodMessage) {
    TransferUnit& message = table[1];
    message.Colour = kMessageGreen;
    message.Kind = kKindMessage;
    SetStatus(1, kWaiting);
    message.StartMs = state_.ClockMs;
    message.Blocks = MessageUnitBlocks(MessageBlocks(), packeting_);
    message.Link = 0;
    message.Forward = kTrue;
    Observer().OnUnitSetUp(1);
    state_.DataReleased = kTrue;
  } else if (technique == kMethodCircuit) {
    const std::int16_t blocks = MessageBlocks();
    struct Seed {
      int record;
      std::int16_t status;
      Rgb colour;
      std::int16_t kind;
      std::int16_t blocks;
    };
    const std::array<Seed, 3> seeds = {{
        {0, kOnLink, kControlPurple, kKindSetUpRequest, 1},
        {1, kWaiting, kCircuitBlue, kKindCircuitData, blocks},
        {5, kWaiting, kControlPurple, kKindPacket, 1},
    }};
    for (const Seed& seed : seeds) {
      TransferUnit& unit = table[seed.record];
      SetStatus(seed.record, seed.status);
      unit.StartMs = state_.ClockMs;
      unit.Colour = seed.colour;
      unit.Kind = seed.kind;
      unit.Blocks = seed.blocks;
      unit.Link = 0;
      unit.Forward = kTrue;
      Observer().OnUnitSetUp(seed.record);
    }
  } else if (technique == kMethodPacket) {
    const std::vector<std::int16_t> packets = PacketBlocks(MessageBlocks(), packeting_);
    for (int i = 1; i <= static_cast<int>(packets.size()); ++i) {
      TransferUnit& packet = table[i];
      packet.Kind = kKindPacket;
      packet.Colour = RandomPacketColour(random_);
      SetStatus(i, kWaiting);
      packet.StartMs = state_.ClockMs;
      packet.Blocks = packets[i - 1];
      packet.Link = 0;
      packet.Forward = kTrue;
      Observer().OnUnitSetUp(i);
    }
    state_.DataReleased = kTrue;
  }
}

void Simulation::SimulationTick() {
  state_.ClockMs += view_.TimerIntervalMs();
  const bool stop = state_.ClockMs > kStopAfterMs;
  if (stop) view_.SetTimerEnabled(false);
  const bool ascending = random_.NextDouble() < 0.5;
  Observer().OnTick(state_.ClockMs, ascending);
  if (stop) Observer().OnStop(state_.ClockMs);
  for (LinkReading& link : links_) link.fresh = false;
  GrantLinks(ascending);
  // Records that join during the visit (circuit data passed on) are visited too.
  for (int f = live_.NextFrom(0); f >= 0; f = live_.NextFrom(f + 1)) {
    if (state_.UnitTable[f].Status > 0) MoveUnit(f);
  }
}

void Simulation::GrantLinks(bool ascending) {
  auto& table = state_.UnitTable;
  auto& busy = state_.LinkBusy;
  auto grant = [&](int f, int k) {
    TransferUnit& unit = table[f];
    unit.Status = kOnLink;
    busy[k] = kTrue;
    unit.StartMs = state_.ClockMs;
    Observer().OnGrant(state_.ClockMs, f, k);
  };

  // Links 1 and 2: a random visiting order breaks ties between units waiting
  // at the same router.
  const int first = ascending ? live_.NextFrom(0) : live_.PreviousFrom(kRecordCount - 1);
  for (int f = first; f >= 0; f = ascending ? live_.NextFrom(f + 1) : (f > 0 ? live_.PreviousFrom(f - 1) : -1)) {
    const TransferUnit& unit = table[f];
    if (unit.Status < 0 || !(state_.DataReleased != kFalse || unit.Kind > kKindCircuitData)) {
      continue;
    }
    for (int k = 1; k <= 2; ++k) {
      if (busy[k] == kFalse && unit.Link == k && unit.Status == kWaiting) grant(f, k);
    }
  }

  // Link 0 always goes to the lowest-numbered waiting unit.
  for (int f = live_.NextFrom(0); f >= 0; f = live_.NextFrom(f + 1)) {
    const TransferUnit& unit = table[f];
    if (unit.Status >= 0 && (state_.DataReleased != kFalse || unit.Kind >= kKindSetUpRequest) &&
        busy[0] == kFalse && unit.Link == 0 && unit.Status == kWaiting) {
      grant(f, 0);
    }
  }
}

void Simulation::MoveUnit(int f) {
  TransferUnit& unit = state_.UnitTable[f];
  const int k = unit.Link;
  const LinkReading& link = ReadLink(k);
  const double d = link.delay;
  const double rate = IsUsableRate(link.rate_number) ? link.rate_number : state_.SavedRates[k];
  const double t = state_.ClockMs - unit.StartMs;
  const double b = unit.Blocks;
  double head = HeadFraction(t, d);
  double tail = TailFraction(t, d, rate, b);
  if (head > 1) head = 1;
  if (!(tail >= 0)) tail = 0;
  if (tail > 0 && !(unit.Tail > 0)) {
    state_.LinkBusy[k] = kFalse;
    Observer().OnFree(state_.ClockMs, f, k);
  }
  unit.Tail = tail;
  unit.Head = head;
  if (head == 1 && unit.Kind == kKindCircuitData && k < 2) PassOnCircuitData(f, k);
  if (tail > 1 && unit.Kind != kKindPassedOnData) {
    HandleArrival(f, k);
  } else if (head > 0) {
    view_.DrawUnit(Stroke{f, k, head, tail, unit.Forward != kFalse, unit.Colour, state_.ClockMs});
  }
}

void Simulation::PassOnCircuitData(int f, int k) {
  Observer().OnPass(state_.ClockMs, f, k);
  auto& table = state_.UnitTable;
  table[f].Kind = kKindPassedOnData;
  if (f + 1 >= kRecordCount) return;
  TransferUnit& next = table[f + 1];
  next.Link = static_cast<std::int16_t>(k + 1);
  SetStatus(f + 1, kOnLink);
  next.Colour = table[f].Colour;
  next.Kind = kKindCircuitData;
  next.StartMs = state_.ClockMs;
  next.Blocks = MessageBlocks();
  next.Forward = kTrue;
}

void Simulation::HandleArrival(int f, int k) {
  TransferUnit& unit = state_.UnitTable[f];
  Observer().OnArrive(state_.ClockMs, f, k, unit.Kind);
  if (k == 0) {
    if (unit.Forward == kTrue) {
      unit.Link = 1;
      unit.Status = kWaiting;
    }
    if (unit.Forward == kFalse) {
      state_.DataReleased = kTrue;
      SetStatus(f, kIdle);
      ApplyBottleneck();
    }
  } else if (k == 1) {
    if (unit.Forward == kTrue) {
      unit.Link = 2;
      unit.Status = kWaiting;
    }
    if (unit.Forward == kFalse) {
      unit.Link = 0;
      unit.Status = kWaiting;
    }
  } else if (k == 2) {
    if (unit.Kind == kKindAcknowledgement) {
      unit.Link = 1;
      unit.Status = kWaiting;
    }
    if (unit.Kind < kKindSetUpRequest) {
      SetStatus(f, kIdle);
      view_.UnitCompleted(Arrival{f, unit.Kind, state_.ClockMs, unit.Colour});
    }
  }
  if (k == 2 && unit.Kind != kKindCircuitData && view_.MethodText() == kMethodCircuit) {
    // Turns the request, and later the release unit, into an acknowledgement
    // travelling back from Receive.
    unit.StartMs = state_.ClockMs;
    SetStatus(f, kWaiting);  // the release unit was idle a moment ago
    unit.Forward = kFalse;
    unit.Kind = kKindAcknowledgement;
    unit.Blocks = 1;
    unit.Colour = kAckRed;
  }
}

bool Simulation::SetPacketing(const Packeting& packeting) {
  if (!IsUsablePacketing(packeting)) return false;
  packeting_ = packeting;
  return true;
}

double Simulation::TickRate(int link) const {
  const double rate = LeadingNumber(view_.RateText(link));
  return IsUsableRate(rate) ? rate : state_.SavedRates[link];
}

void Simulation::ApplyBottleneck() {
  for (int j = 0; j < kLinkCount; ++j) {
    if (view_.RateLabelColour(j) == kBlack) RecordRate(j);
  }
  double slowest = kNoRateYet;
  // A text that is not wholly a number, or not a usable rate, counts at the
  // rate the tick uses for that link.
  for (int j = 0; j < kLinkCount; ++j) slowest = std::min(slowest, TickRate(j));
  for (int j = 0; j < kLinkCount; ++j) {
    if (TickRate(j) > slowest) {
      view_.SetRateColour(j, kRed);
      view_.SetRateLabelColour(j, kRed);
      view_.SetRateText(j, ShortestText(slowest));
      links_[j].fresh = false;
    }
  }
  Observer().OnBottleneck(state_.ClockMs);
}

void Simulation::RecordRate(int link) {
  const double rate = LeadingNumber(view_.RateText(link));
  if (IsUsableRate(rate)) state_.SavedRates[link] = rate;
}

}  // namespace switchsim
