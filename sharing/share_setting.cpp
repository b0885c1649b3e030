#include "sharing/share_setting.h"

#include <algorithm>
#include <cmath>

#include "simulation/numbers.h"
#include "text/text_escape.h"

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
    return std::to_string(s.users) + " users: a link is shared by 1 to " + std::to_string(kMostShareUsers);
  }
  if (!(s.active > 0.0 && s.active < 1.0)) {
    return ShortestText(s.active) + " is not an activity; a user is active a share above 0 and below 1 of the time";
  }
  for (const auto& [what, text] : {std::pair{"user rate", &s.user_rate}, std::pair{"link rate", &s.link_rate}}) {
    if (!PlainRate(*text)) {
      return Quoted(*text) + " is not a " + what + "; write a positive decimal such as 0.1 (at most 9 digits)";
    }
  }
  if (*ReservedUsers(s.link_rate, s.user_rate) < 1) {
    return "the user rate " + Quoted(s.user_rate) + " is above the link rate " + Quoted(s.link_rate) +
           ": not even one user fits; a user cannot send faster than the link";
  }
  const double least_burst = std::max(1.0, s.active / (1.0 - s.active));
  // The least burst as a person writes it, 9 for an activity of 0.9, not 9.000000000000002.
  const double shown_least = std::round(least_burst * 1e9) / 1e9;
  if (s.burst_slots && !(*s.burst_slots >= std::min(least_burst, shown_least) && *s.burst_slots <= 1e6)) {
    return ShortestText(*s.burst_slots) + " slots is not a burst here; with activity " + ShortestText(s.active) +
           " a mean active period is from " + ShortestText(shown_least) + " to 1000000 slots";
  }
  if (s.slot_count < 1 || s.slot_count > kMostShareSlots) {
    return std::to_string(s.slot_count) + " slots: a run makes 1 to " + std::to_string(kMostShareSlots);
  }
  if (static_cast<double>(s.slot_count) * s.users > static_cast<double>(kMostShareUserSlots)) {
    return std::to_string(s.slot_count) + " slots of " + std::to_string(s.users) + " users are too many; a run makes at most " +
           std::to_string(kMostShareUserSlots) + " user-slots (" + std::to_string(kMostShareUserSlots / s.users) +
           " slots for " + std::to_string(s.users) + " users)";
  }
  return std::nullopt;
}

}  // namespace switchsim
