#include "sharing/share_report.h"

#include <cmath>
#include <cstdio>

#include "text/json_writer.h"
#include "simulation/numbers.h"
#include "text/number_texts.h"
#include "probability/binomial_tail.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// A probability as a person reads it: "0.000424", "0.0213", "1.7e-09".
std::string Chance(double p) {
  if (p == 0.0) return "0";
  if (p < 1e-4) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3g", p);
    return text;
  }
  return ShortestText(std::round(p * 1e6) / 1e6);
}

// A share in per cent, as a person reads it: "10.0 %".
std::string Percent(double share) { return PeopleNumber(FixedText(share * 100.0, 1)) + " %"; }

}  // namespace

BurstCase BurstCaseOf(const ShareSetting& setting, int packets, int bits) {
  BurstCase burst{packets, bits, 0.0, 0.0};
  const double total_bits = static_cast<double>(packets) * bits;
  burst.reserved_s = total_bits / (*PlainRate(setting.user_rate) * 1e6);
  burst.shared_s = total_bits / (*PlainRate(setting.link_rate) * 1e6);
  return burst;
}

double CongestionFormula(const ShareSetting& setting) {
  const std::int64_t reserved = ReservedUsers(setting.link_rate, setting.user_rate).value_or(0);
  if (reserved >= setting.users) return 0.0;
  return BinomialTail(setting.users, setting.active, static_cast<int>(reserved));
}

std::string ShareJson(const ShareRun& run) {
  const ShareSetting& s = run.setting();
  const BurstCase burst = BurstCaseOf(s);
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("users").Integer(s.users).Key("active").Number(s.active);
  json.Key("user_rate").Text(s.user_rate).Key("link_rate").Text(s.link_rate);
  json.Key("burst_slots").Number(BurstSlots(s)).Key("slots").Integer(run.SlotsDone());
  json.Key("seed").Unsigned(s.seed).Key("circuit_users").Integer(run.CircuitUsers());
  json.Key("refused_users").Integer(s.users - run.CircuitUsers());
  json.Key("congestion_formula").Number(CongestionFormula(s));
  json.Key("congestion_simulated").Number(run.Congestion().Mean());
  json.Key("congestion_interval").Number(run.Congestion().HalfWidth());
  json.Key("congested_slots").Integer(run.CongestedSlots());
  json.Key("offered_load").Number(s.users * s.active * *PlainRate(s.user_rate) / *PlainRate(s.link_rate));
  json.Key("circuit_use").Number(run.CircuitUse()).Key("packet_use").Number(run.PacketUse());
  json.Key("reserved_idle").Number(run.ReservedIdle());
  json.Key("burst_packets").Integer(burst.packets).Key("burst_reserved_s").Number(burst.reserved_s);
  json.Key("burst_shared_s").Number(burst.shared_s).Close('}');
  return out + "\n";
}

std::string ShareTable(const ShareRun& run) {
  const ShareSetting& s = run.setting();
  const BurstCase burst = BurstCaseOf(s);
  const auto row = LabelledRow;
  const auto people = [](const std::string& number) { return PeopleNumber(number); };
  std::string out = Fill(Tr("A link of {0} Mbps shared by {1} users of {2} Mbps, each active {3} of the time, over {4} "
                            "slots (seed {5})"),
                         {people(s.link_rate), std::to_string(s.users), people(s.user_rate), Percent(s.active),
                          std::to_string(run.SlotsDone()), std::to_string(s.seed)}) +
                    "\n";
  out += row(Tr("circuits: users served (floor(C / r))"),
             Fill(Tr("{0}, {1} refused"), {std::to_string(run.CircuitUsers()), std::to_string(s.users - run.CircuitUsers())}));
  out += row(Fill(Tr("packets: P(more than {0} active), formula"), {std::to_string(run.ReservedUsers())}),
             people(Chance(CongestionFormula(s))));
  out += row(Tr("packets: share of slots congested, simulated"),
             Fill(Tr("{0} \u00b1 {1} (99.9 %)"), {people(Chance(run.Congestion().Mean())),
                                                  people(Chance(run.Congestion().HalfWidth()))}));
  out += row(Tr("link used: circuits / packets"), Percent(run.CircuitUse()) + " / " + Percent(run.PacketUse()));
  out += row(Tr("reserved for circuits but idle"), Percent(run.ReservedIdle()));
  out += row(Fill(Tr("one user's burst of {0} packets: reserved / shared"), {std::to_string(burst.packets)}),
             Fill(Tr("{0} s / {1} s"), {people(ShortestText(burst.reserved_s)), people(ShortestText(burst.shared_s))}));
  return out;
}

}  // namespace switchsim
