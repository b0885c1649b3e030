#include "sharing/share_setting.h"

#include <algorithm>
#include <cmath>

#include "simulation/numbers.h"
#include "text/text_escape.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// Nine digits keep both numbers, brought to one power of ten, within 64 bits.
inline constexpr std::size_t kMostRateDigits = 9;

// A decimal as digits and a power of ten: "12.5" is 125 · 10^-1.
struct Decimal {
  std::uint64_t digits = 0;
  int exponent = 0;
};

std::optional<Decimal> ReadDecimal(const std::string& text) {
  Decimal d;
  std::size_t count = 0;
  bool point = false;
  for (const char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9') {
      if (++count > kMostRateDigits) return std::nullopt;
      d.digits = d.digits * 10 + static_cast<unsigned>(c - '0');
      if (point) --d.exponent;
    } else {
      return std::nullopt;
    }
  }
  if (count == 0 || d.digits == 0) return std::nullopt;
  return d;
}

// A number of the setting as a person reads it.
std::string Shown(double value) { return PeopleNumber(ShortestText(value)); }

std::uint64_t TimesPowerOfTen(std::uint64_t value, int power) {
  for (int i = 0; i < power; ++i) value *= 10;
  return value;
}

}  // namespace

std::optional<double> PlainRate(const std::string& text) {
  if (!ReadDecimal(text)) return std::nullopt;
  return LeadingNumber(text);
}

std::optional<std::int64_t> ReservedUsers(const std::string& link_rate, const std::string& user_rate) {
  const auto link = ReadDecimal(link_rate);
  const auto user = ReadDecimal(user_rate);
  if (!link || !user) return std::nullopt;
  // Both to the smaller power of ten.
  const int common = std::min(link->exponent, user->exponent);
  const std::uint64_t l = TimesPowerOfTen(link->digits, link->exponent - common);
  const std::uint64_t u = TimesPowerOfTen(user->digits, user->exponent - common);
  return static_cast<std::int64_t>(l / u);
}

double BurstSlots(const ShareSetting& s) { return s.burst_slots.value_or(1.0 / (1.0 - s.active)); }

std::optional<std::string> ShareRefusal(const ShareSetting& s) {
  if (s.users < 1 || s.users > kMostShareUsers) {
    return Fill(Tr("{0} users: a link is shared by 1 to {1}"), {std::to_string(s.users), std::to_string(kMostShareUsers)});
  }
  if (!(s.active > 0.0 && s.active < 1.0)) {
    return Fill(Tr("{0} is not an activity; a user is active a share above 0 and below 1 of the time"), {Shown(s.active)});
  }
  if (!PlainRate(s.user_rate)) {
    // TRANSLATORS: 0.1 is written as the box reads it, with a point.
    return Fill(Tr("{0} is not a user rate; write a positive decimal such as 0.1 (at most 9 digits)"), {Quoted(s.user_rate)});
  }
  if (!PlainRate(s.link_rate)) {
    // TRANSLATORS: 0.1 is written as the box reads it, with a point.
    return Fill(Tr("{0} is not a link rate; write a positive decimal such as 0.1 (at most 9 digits)"), {Quoted(s.link_rate)});
  }
  if (*ReservedUsers(s.link_rate, s.user_rate) < 1) {
    return Fill(Tr("the user rate {0} is above the link rate {1}: not even one user fits; a user cannot send faster than "
                   "the link"),
                {Quoted(s.user_rate), Quoted(s.link_rate)});
  }
  const double least_burst = std::max(1.0, s.active / (1.0 - s.active));
  // The least burst as a person writes it, 9 for an activity of 0.9, not 9.000000000000002.
  const double shown_least = std::round(least_burst * 1e9) / 1e9;
  if (s.burst_slots && !(*s.burst_slots >= std::min(least_burst, shown_least) && *s.burst_slots <= 1e6)) {
    return Fill(Tr("{0} slots is not a burst here; with activity {1} a mean active period is from {2} to 1000000 slots"),
                {Shown(*s.burst_slots), Shown(s.active), Shown(shown_least)});
  }
  if (s.slot_count < 1 || s.slot_count > kMostShareSlots) {
    return Fill(Tr("{0} slots: a run makes 1 to {1}"), {std::to_string(s.slot_count), std::to_string(kMostShareSlots)});
  }
  if (static_cast<double>(s.slot_count) * s.users > static_cast<double>(kMostShareUserSlots)) {
    return Fill(Tr("{0} slots of {1} users are too many; a run makes at most {2} user-slots ({3} slots for {1} users)"),
                {std::to_string(s.slot_count), std::to_string(s.users), std::to_string(kMostShareUserSlots),
                 std::to_string(kMostShareUserSlots / s.users)});
  }
  return std::nullopt;
}

}  // namespace switchsim
