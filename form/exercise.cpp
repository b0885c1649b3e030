#include "exercise.h"

#include <cstdint>
#include <cstdio>

#include "numbers.h"

namespace switchsim {

std::optional<ExerciseAsk> AskNamed(std::string_view name) {
  for (std::size_t i = 0; i < kAskNames.size(); ++i) {
    if (kAskNames[i] == name) return static_cast<ExerciseAsk>(i);
  }
  return std::nullopt;
}

std::string_view AskName(ExerciseAsk ask) { return kAskNames.at(static_cast<std::size_t>(ask)); }

namespace {

// FNV-1a, 64 bits: the same key from the same texts in every build.
class KeyHash {
 public:
  void Add(std::string_view text) {
    for (const char c : text) Byte(static_cast<unsigned char>(c));
    Byte(0);  // so that "ab","c" and "a","bc" differ
  }
  std::uint64_t value() const { return value_; }

 private:
  void Byte(unsigned char byte) {
    value_ ^= byte;
    value_ *= 1099511628211ULL;
  }
  std::uint64_t value_ = 14695981039346656037ULL;
};

}  // namespace

std::string SheetKey(const ExerciseSheet& sheet) {
  KeyHash hash;
  hash.Add(sheet.title);
  for (const Exercise& e : sheet.exercises) {
    const RunParameters& p = e.parameters;
    for (const std::string_view text :
         {std::string_view(e.question), AskName(e.ask), std::string_view(p.technique),
          std::string_view(p.size)}) {
      hash.Add(text);
    }
    for (int k = 0; k < 3; ++k) {
      hash.Add(p.rates[k]);
      hash.Add(p.delays[k]);
    }
    hash.Add(std::to_string(p.packeting.packet_blocks) + "," +
             std::to_string(p.packeting.header_blocks) + "," + std::to_string(p.seed) + "," +
             ShortestText(e.tolerance_percent));
  }
  char key[17];
  std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash.value()));
  return key;
}

std::string DefaultQuestion(ExerciseAsk ask, std::string_view technique) {
  switch (ask) {
    case ExerciseAsk::Completion:
      return "How long after Start does the last of the data reach Receive with " +
             std::string(technique) + ", in ms?";
    case ExerciseAsk::Fastest:
      return "Which technique delivers the whole message to Receive first: Message, Circuit or "
             "Packet?";
    case ExerciseAsk::Bottleneck: return "At what rate does the circuit's data run?";
    case ExerciseAsk::OptimalPacket:
      return "Which packet size, in blocks, lets Packet deliver the message soonest?";
  }
  return {};
}

}  // namespace switchsim
