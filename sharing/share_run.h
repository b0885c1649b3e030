#pragma once

#include <cstdint>
#include <vector>

#include "probability/batch_means.h"
#include "probability/binomial_draw.h"
#include "simulation/random_source.h"
#include "sharing/share_setting.h"

namespace switchsim {

/// One user's active period within the slots a picture shows.
struct ActivePeriod {
  int user = 0;
  std::int64_t from = 0;  // the first active slot
  std::int64_t to = 0;    // the slot after the last

  friend bool operator==(const ActivePeriod&, const ActivePeriod&) = default;
};

/// The run of a shared link, slot by slot. Each user is active or idle in a
/// slot; an active user stays active the next slot with chance 1 − 1/burst,
/// an idle one becomes active with the chance that keeps the share of time
/// active at the setting's (so that, without a burst, every slot is drawn
/// afresh). The first floor(C / r) users hold a reserved circuit each, and
/// the packets of all share the link. The slots a picture shows are run user
/// by user; after them only the numbers of active users are needed, which
/// move by binomial draws for the admitted users and for the others. The
/// runs are made a slice at a time (RunNext), so that a page can make them
/// between frames; the draws follow the slots, so that a seed gives the same
/// run in slices as whole, in every build. The setting must be one
/// ShareRefusal takes.
class ShareRun {
 public:
  explicit ShareRun(const ShareSetting& setting);

  /// Runs at most `max_slots` more slots.
  void RunNext(std::int64_t max_slots);
  bool Done() const { return done_ == setting_.slot_count; }

  const ShareSetting& setting() const { return setting_; }
  std::int64_t SlotsDone() const { return done_; }
  /// floor(C / r): the users a reserved circuit each would serve; more active than this congest the link.
  std::int64_t ReservedUsers() const { return reserved_; }
  /// The users admitted to circuits: the reserved number, at most every user.
  int CircuitUsers() const { return circuits_; }
  /// The slots in which more users were active than the link carries.
  std::int64_t CongestedSlots() const { return congested_; }
  /// The share of slots congested, with its 99.9 % interval by batch means.
  const BatchMeans& Congestion() const { return congestion_; }
  /// The link's use, as a share of its capacity over the slots run: by the
  /// circuits' admitted users while active, by everyone's packets (at most
  /// the link), and what the circuits reserve but leave idle.
  double CircuitUse() const;
  double PacketUse() const;
  double ReservedIdle() const;

  /// The slots a picture shows, from the first, and in them the users
  /// active each slot and the first users' active periods.
  static constexpr std::int64_t kShownSlots = 600;
  static constexpr int kShownUsers = 40;
  const std::vector<int>& ShownActive() const { return shown_active_; }
  /// The active periods of user `user` (below kShownUsers) within the shown slots.
  const std::vector<ActivePeriod>& ShownPeriods(int user) const { return shown_periods_.at(user); }

 private:
  void RunUserByUser();
  void RunCounted();
  void Count(int admitted_active, int others_active);

  ShareSetting setting_;
  Mt64Random random_;
  std::int64_t reserved_ = 0;
  int circuits_ = 0;
  double share_per_user_ = 0.0;  // r / C
  double stay_ = 0.0;            // the chance an active user stays active
  double join_ = 0.0;            // the chance an idle user becomes active
  std::vector<char> active_;     // by user, in the shown slots
  int admitted_active_ = 0;      // after them, the numbers active
  int others_active_ = 0;
  BinomialDraws stays_;
  BinomialDraws joins_;
  std::int64_t done_ = 0;
  std::int64_t congested_ = 0;
  double circuit_active_slots_ = 0.0;  // admitted users active, summed over slots
  double packet_carried_ = 0.0;        // min(active · r / C, 1), summed over slots
  BatchMeans congestion_;
  std::vector<int> shown_active_;
  std::vector<std::vector<ActivePeriod>> shown_periods_;  // by user
};

}  // namespace switchsim
