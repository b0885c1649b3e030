#include "sharing/share_run.h"

#include <algorithm>

namespace switchsim {
namespace {
inline constexpr int kBatches = 50;
}  // namespace

ShareRun::ShareRun(const ShareSetting& setting)
    : setting_(setting), random_(setting.seed),
      reserved_(switchsim::ReservedUsers(setting.link_rate, setting.user_rate).value_or(0)),
      circuits_(static_cast<int>(std::min<std::int64_t>(reserved_, setting.users))),
      stays_(setting.users, 0.0), joins_(setting.users, 0.0),
      congestion_(static_cast<std::uint64_t>(setting.slot_count), kBatches) {
  share_per_user_ = *PlainRate(setting.user_rate) / *PlainRate(setting.link_rate);
  // An active period ends each slot with chance 1 / burst; an idle one with
  // the chance that keeps the share of time active at `active` (at most 1, by ShareRefusal).
  const double burst = BurstSlots(setting);
  stay_ = 1.0 - 1.0 / burst;
  join_ = std::min(1.0, setting.active / ((1.0 - setting.active) * burst));
  stays_ = BinomialDraws(setting.users, stay_);
  joins_ = BinomialDraws(setting.users, join_);
  shown_periods_.resize(static_cast<std::size_t>(std::min(setting.users, kShownUsers)));
}

void ShareRun::Count(int admitted_active, int others_active) {
  const int active = admitted_active + others_active;
  const bool congested = active > reserved_;
  congested_ += congested ? 1 : 0;
  congestion_.Add(congested ? 1.0 : 0.0);
  circuit_active_slots_ += admitted_active;
  packet_carried_ += std::min(active * share_per_user_, 1.0);
  if (done_ < kShownSlots) shown_active_.push_back(active);
  ++done_;
}

void ShareRun::RunUserByUser() {
  int admitted = 0;
  int others = 0;
  const bool first = done_ == 0;
  if (first) active_.assign(static_cast<std::size_t>(setting_.users), 0);
  for (int u = 0; u < setting_.users; ++u) {
    char& on = active_[static_cast<std::size_t>(u)];
    const double v = random_.NextDouble();
    on = first ? v < setting_.active : (on ? v < stay_ : v < join_);
    if (!on) continue;
    (u < circuits_ ? admitted : others) += 1;
    if (u >= kShownUsers) continue;
    std::vector<ActivePeriod>& periods = shown_periods_[static_cast<std::size_t>(u)];
    if (!periods.empty() && periods.back().to == done_) {
      ++periods.back().to;
    } else {
      periods.push_back({u, done_, done_ + 1});
    }
  }
  admitted_active_ = admitted;
  others_active_ = others;
  Count(admitted, others);
}

void ShareRun::RunCounted() {
  // Of the active users some stay; of the idle some join: two binomial draws a group.
  const int others = setting_.users - circuits_;
  admitted_active_ = stays_.Draw(admitted_active_, random_) + joins_.Draw(circuits_ - admitted_active_, random_);
  others_active_ = stays_.Draw(others_active_, random_) + joins_.Draw(others - others_active_, random_);
  Count(admitted_active_, others_active_);
}

void ShareRun::RunNext(std::int64_t max_slots) {
  const std::int64_t until = std::min(setting_.slot_count, done_ + std::max<std::int64_t>(max_slots, 0));
  while (done_ < until) {
    if (done_ < kShownSlots) {
      RunUserByUser();
    } else {
      RunCounted();
    }
  }
}

double ShareRun::CircuitUse() const {
  return done_ == 0 ? 0.0 : circuit_active_slots_ * share_per_user_ / static_cast<double>(done_);
}

double ShareRun::PacketUse() const { return done_ == 0 ? 0.0 : packet_carried_ / static_cast<double>(done_); }

double ShareRun::ReservedIdle() const { return done_ == 0 ? 0.0 : circuits_ * share_per_user_ - CircuitUse(); }

}  // namespace switchsim
