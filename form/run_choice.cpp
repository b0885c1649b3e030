#include "form/run_choice.h"

#include <algorithm>
#include <charconv>

#include "simulation/numbers.h"
#include "form/speed.h"
#include "text/text_escape.h"
#include "text/translation.h"

namespace switchsim {
namespace {

template <std::size_t N>
std::string JoinItems(const std::array<std::string_view, N>& items) {
  std::string joined;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) joined += ", ";
    joined += items[i];
  }
  return joined;
}

template <std::size_t N>
bool IsItem(const std::array<std::string_view, N>& items, const std::string& text) {
  return std::find(items.begin(), items.end(), text) != items.end();
}

// A whole number written plainly ("12"), from `least` to `most`.
std::optional<int> WholeNumber(const std::string& text, int least, int most) {
  int number = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, number);
  if (text.empty() || ec != std::errc() || ptr != end || number < least || number > most) {
    return std::nullopt;
  }
  return number;
}

std::optional<std::array<std::string, 3>> SplitThree(const std::string& text) {
  std::array<std::string, 3> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::size_t comma = text.find(',', start);
    if ((comma == std::string::npos) != (i == 2)) return std::nullopt;
    parts[i] = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    start = comma + 1;
  }
  return parts;
}

}  // namespace

LinkModel ModelOf(const RunParameters& p) {
  LinkModel model = ModelOfTexts(p.size, p.rates, p.delays);
  model.packeting = p.packeting;
  return model;
}

std::optional<std::string> ChooseTechnique(const std::string& value, RunParameters& choice) {
  if (!IsItem(lists::kMethodItems, value)) {
    return Fill(Tr("{0} is not a technique; use one of {1}"), {Quoted(value), JoinItems(lists::kMethodItems)});
  }
  choice.technique = value;
  return std::nullopt;
}

std::optional<std::string> ChooseSize(const std::string& value, RunParameters& choice) {
  if (!IsItem(lists::kSizeItems, value)) {
    return Fill(Tr("{0} is not a message size; use one of {1}"), {Quoted(value), JoinItems(lists::kSizeItems)});
  }
  choice.size = value;
  return std::nullopt;
}

std::optional<std::string> ChooseAnySize(const std::string& value, RunParameters& choice) {
  const auto size = WholeNumber(value, lists::kSmallestSize, lists::kLargestSize);
  if (!size || *size % lists::kSizeStep != 0) {
    return Fill(Tr("{0} is not a message size; use a multiple of 20 from 20 to 1000"), {Quoted(value)});
  }
  choice.size = value;
  return std::nullopt;
}

std::optional<std::string> ChoosePacket(const std::string& value, RunParameters& choice) {
  const auto blocks = WholeNumber(value, kFewestPacketBlocks, kMostPacketBlocks);
  if (!blocks) return Fill(Tr("{0} is not a packet size; use a whole number of blocks from 1 to 50"), {Quoted(value)});
  choice.packeting.packet_blocks = *blocks;
  return std::nullopt;
}

std::optional<std::string> ChooseHeader(const std::string& value, RunParameters& choice) {
  const auto blocks = WholeNumber(value, 0, kMostHeaderBlocks);
  if (!blocks) return Fill(Tr("{0} is not a header size; use a whole number of blocks from 0 to 10"), {Quoted(value)});
  choice.packeting.header_blocks = *blocks;
  return std::nullopt;
}

std::optional<std::string> ChooseRates(const std::string& value, RunParameters& choice) {
  const auto parts = SplitThree(value);
  if (!parts) return Fill(Tr("{0} is not three rates; give them as A,B,C, for example 1.0,0.5,1.0"), {Quoted(value)});
  for (const std::string& part : *parts) {
    if (!IsUsableRate(LeadingNumber(part))) return Fill(Tr("{0} is not a positive number"), {Quoted(part)});
  }
  choice.rates = *parts;
  return std::nullopt;
}

std::optional<std::string> ChooseDelays(const std::string& value, RunParameters& choice) {
  const auto parts = SplitThree(value);
  if (!parts) return Fill(Tr("{0} is not three delays; give them as A,B,C, for example 50,50,50"), {Quoted(value)});
  for (const std::string& part : *parts) {
    if (!IsItem(lists::kDelayItems, part)) {
      return Fill(Tr("{0} is not a delay; use one of {1}"), {Quoted(part), JoinItems(lists::kDelayItems)});
    }
  }
  choice.delays = *parts;
  return std::nullopt;
}

std::optional<std::string> ChooseSeed(const std::string& value, RunParameters& choice) {
  std::uint64_t seed = 0;
  const char* end = value.data() + value.size();
  const auto [ptr, ec] = std::from_chars(value.data(), end, seed);
  if (value.empty() || ec != std::errc() || ptr != end) {
    return Fill(Tr("{0} is not a seed; use a whole number from 0 to 18446744073709551615"), {Quoted(value)});
  }
  choice.seed = seed;
  return std::nullopt;
}

std::optional<std::string> ChooseSeedCount(const std::string& value, int& count) {
  const auto number = WholeNumber(value, 1, kMostSweepSeeds);
  if (!number) return Fill(Tr("{0} is not a number of seeds; use a whole number from 1 to 100"), {Quoted(value)});
  count = *number;
  return std::nullopt;
}

std::optional<std::string> ChooseSpeed(const std::string& value, double& speed) {
  for (const SpeedStep& step : kSpeeds) {
    if (value == step.option) {
      speed = step.factor;
      return std::nullopt;
    }
  }
  std::string allowed;
  for (const SpeedStep& step : kSpeeds) {
    if (!allowed.empty()) allowed += ", ";
    allowed += step.option;
  }
  return Fill(Tr("{0} is not a speed; use one of {1}"), {Quoted(value), allowed});
}

}  // namespace switchsim
