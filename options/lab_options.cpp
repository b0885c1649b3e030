#include "options/lab_options.h"

#include <array>
#include <charconv>
#include <cmath>

#include "options/option_table.h"
#include "simulation/numbers.h"
#include "text/text_escape.h"
#include "text/translation.h"

namespace switchsim {
namespace {

// A whole number written plainly, from 0 up.
std::optional<std::int64_t> WholeNumber(const std::string& text) {
  std::int64_t number = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, number);
  if (text.empty() || ec != std::errc() || ptr != end || number < 0) return std::nullopt;
  return number;
}

std::optional<double> Number(const std::string& text) {
  if (!ReadsWhole(text)) return std::nullopt;
  const double value = LeadingNumber(text);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// A refusal of `value`: `pattern` names it as {0}.
std::string NotA(const std::string& value, std::string_view pattern) { return Fill(pattern, {Quoted(value)}); }

// The options each lab takes, beside --seed.
inline constexpr std::array<std::string_view, 6> kShareOptions = {"users", "active", "user-rate", "link-rate",
                                                                  "burst", "slots"};
inline constexpr std::array<std::string_view, 3> kQueueOptions = {"intensity", "buffer", "packets"};
// The form's run, which neither lab makes.
inline constexpr std::array<std::string_view, 17> kRunOptions = {
    "technique", "size",   "rates",           "delays", "packet",    "header",  "compare", "timing", "check-exercises",
    "course",    "png",    "additions",       "start",  "exercises", "predict", "ask",     "tolerance"};
// What a lab takes with its sweep only.
inline constexpr std::array<std::string_view, 3> kLabSweepOptions = {"seeds", "csv", "svg"};

}  // namespace

std::optional<std::string> SetUsers(const std::string& value, RunRequest& request) {
  const auto users = WholeNumber(value);
  if (!users || *users > 1'000'000) return NotA(value, Tr("{0} is not a number of users; use a whole number from 1 to 1000"));
  request.share_setting.users = static_cast<int>(*users);
  return std::nullopt;
}

std::optional<std::string> SetActive(const std::string& value, RunRequest& request) {
  const auto active = Number(value);
  if (!active) return NotA(value, Tr("{0} is not an activity; use a share of the time above 0 and below 1, such as 0.1"));
  request.share_setting.active = *active;
  return std::nullopt;
}

std::optional<std::string> SetUserRate(const std::string& value, RunRequest& request) {
  request.share_setting.user_rate = value;
  return std::nullopt;
}

std::optional<std::string> SetLinkRate(const std::string& value, RunRequest& request) {
  request.share_setting.link_rate = value;
  return std::nullopt;
}

std::optional<std::string> SetBurst(const std::string& value, RunRequest& request) {
  const auto burst = Number(value);
  if (!burst) return NotA(value, Tr("{0} is not a burst; use a mean active period in slots, such as 10"));
  request.share_setting.burst_slots = *burst;
  return std::nullopt;
}

std::optional<std::string> SetSlots(const std::string& value, RunRequest& request) {
  const auto slots = WholeNumber(value);
  if (!slots) return NotA(value, Tr("{0} is not a number of slots; use a whole number from 1 to 10000000"));
  request.share_setting.slot_count = *slots;
  return std::nullopt;
}

std::optional<std::string> SetIntensity(const std::string& value, RunRequest& request) {
  const auto intensity = Number(value);
  if (!intensity) return NotA(value, Tr("{0} is not an intensity; use a number from 0.05 to 0.99"));
  request.queue_setting.intensity = *intensity;
  return std::nullopt;
}

std::optional<std::string> SetBuffer(const std::string& value, RunRequest& request) {
  const auto buffer = WholeNumber(value);
  if (!buffer || *buffer > kMostBuffer) return NotA(value, Tr("{0} is not a buffer; use a whole number of packets from 0 to 100000"));
  request.queue_setting.buffer = static_cast<int>(*buffer);
  return std::nullopt;
}

std::optional<std::string> SetPackets(const std::string& value, RunRequest& request) {
  const auto packets = WholeNumber(value);
  if (!packets) return NotA(value, Tr("{0} is not a number of packets; use a whole number from 1 to 10000000"));
  request.queue_setting.packets = *packets;
  return std::nullopt;
}

std::optional<std::string> LabRefusal(const RunRequest& request, FrontEnd front_end) {
  const bool line = front_end != FrontEnd::Page;
  const auto named = [line](std::string_view name) { return (line ? "--" : "") + std::string(name); };
  const auto said = [&](std::string_view name, const std::string& reason) {
    return line ? named(name) + ": " + reason : Fill(Tr("The link's {0}: {1}"), {named(name), reason});
  };
  if (request.share && request.queue) {
    return said("queue", Fill(Tr("{0} runs a shared link; give one lab at a time"), {named("share")}));
  }
  const auto without = [&](std::string_view lab, auto options) -> std::optional<std::string> {
    for (const std::string_view name : options) {
      if (request.Given(name)) return said(name, Fill(Tr("goes with {0}, which was not given"), {named(lab)}));
    }
    return std::nullopt;
  };
  if (!request.share) {
    if (auto refusal = without("share", kShareOptions)) return refusal;
  }
  if (!request.queue) {
    if (auto refusal = without("queue", kQueueOptions)) return refusal;
  }
  if (!request.share && !request.queue) {
    if (request.lab_sweep) {
      const bool users = request.lab_sweep->curve == LabCurve::Congestion;
      return said("sweep", Fill(Tr("{0} goes with {1}, which was not given"),
                                {LabSweepName(*request.lab_sweep), named(users ? "share" : "queue")}));
    }
    return std::nullopt;
  }
  const std::string_view lab = request.share ? "share" : "queue";
  for (const std::string_view name : kRunOptions) {
    if (request.Given(name)) return said(name, Fill(Tr("{0} runs a lab, not a message; leave it out"), {named(lab)}));
  }
  if (request.sweep) {
    return said("sweep", Fill(Tr("{0} sweeps {1}=FROM:TO:STEP, not the form's parameters"),
                              {named(lab), request.share ? "users" : "intensity"}));
  }
  if (request.lab_sweep && (request.lab_sweep->curve == LabCurve::Congestion) != request.share) {
    return said("sweep", Fill(Tr("{0} sweeps {1}, not {2}"), {named(lab), request.share ? "users" : "intensity",
                                                               LabSweepName(*request.lab_sweep)}));
  }
  if (request.lab_sweep && request.Given("json")) {
    return said("json", Fill(Tr("{0} prints a table, or CSV with {1}; leave it out"), {named("sweep"), named("csv")}));
  }
  if (!request.lab_sweep) {
    for (const std::string_view name : kLabSweepOptions) {
      if (request.Given(name)) return said(name, Fill(Tr("goes with {0}, which was not given"), {named("sweep")}));
    }
  }
  const auto refusal = request.share ? ShareRefusal(request.share_setting) : QueueRefusal(request.queue_setting);
  if (refusal) return said(lab, *refusal);
  if (request.lab_sweep) {
    if (auto sweep = LabSweepRefusal(*request.lab_sweep, request.share_setting, request.queue_setting,
                                     request.seeds)) {
      return said("sweep", *sweep);
    }
  }
  return std::nullopt;
}

}  // namespace switchsim
