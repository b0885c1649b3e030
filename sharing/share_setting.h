#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace switchsim {

/// The most users a shared link takes, and the most slots a run makes.
inline constexpr int kMostShareUsers = 1000;
inline constexpr std::int64_t kMostShareSlots = 10'000'000;
/// The most users × slots a run makes, so that no run keeps a page or a
/// driver busy for long (a thousand users for 200,000 slots).
inline constexpr std::int64_t kMostShareUserSlots = 200'000'000;

/// Many users on one link: `users` users each send at `user_rate` while
/// active, and are active a share `active` of the time, independently of
/// each other, in bursts of `burst_slots` slots on average; the link carries
/// `link_rate`. Rates are decimal texts in one unit (Mbps, say) as typed,
/// so that floor(link / user) is worked out exactly on what was typed.
struct ShareSetting {
  int users = 35;
  double active = 0.1;
  std::string user_rate = "0.1";
  std::string link_rate = "1";
  /// The mean length of an active period, in slots; none: each slot drawn
  /// on its own, which makes the mean 1 / (1 − active).
  std::optional<double> burst_slots;
  std::int64_t slot_count = 100'000;
  std::uint64_t seed = 1;
};

/// Why `setting` cannot be run, naming the value: users outside 1 to 1000,
/// an activity not strictly between 0 and 1, a rate that is not a plain
/// positive decimal (at most 9 digits), a user rate above the link's, a
/// burst shorter than the activity allows, slots outside 1 to 10^7 or too
/// many with the users; nothing when it can.
std::optional<std::string> ShareRefusal(const ShareSetting& setting);

/// floor(link / user) worked out exactly on the decimal texts ("0.3" / "0.1"
/// is 3, where binary numbers give 2.9999999999999996); empty where either
/// is not a plain positive decimal of at most 9 digits.
std::optional<std::int64_t> ReservedUsers(const std::string& link_rate, const std::string& user_rate);

/// The text's value as a plain positive decimal of at most 9 digits ("1", "0.1", "100.25").
std::optional<double> PlainRate(const std::string& text);

/// The mean active period a setting runs with, in slots: its burst, or 1 / (1 − active).
double BurstSlots(const ShareSetting& setting);

}  // namespace switchsim
