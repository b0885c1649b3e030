#include "exercises/exercise.h"

#include <cstdint>
#include <cstdio>

#include "simulation/numbers.h"
#include "text/translation.h"

namespace switchsim {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<ExerciseAsk> AskNamed(std::string_view name) {
  for (std::size_t i = 0; i < kAskNames.size(); ++i) {
    if (SameLetters(kAskNames[i], name)) return static_cast<ExerciseAsk>(i);
  }
  return std::nullopt;
}

bool UsesTolerance(ExerciseAsk ask) {
  return ask == ExerciseAsk::Completion || ask == ExerciseAsk::Bottleneck || ask == ExerciseAsk::Crossover ||
         ask == ExerciseAsk::Congestion || ask == ExerciseAsk::QueueWait;
}

bool IsLabAsk(ExerciseAsk ask) {
  return ask == ExerciseAsk::CircuitUsers || ask == ExerciseAsk::Congestion || ask == ExerciseAsk::QueueWait;
}

RunParameters ChangedParameters(const RunParameters& base, const ParameterChange& change) {
  return ParametersAt(change.range, base, change.range.values.at(0));
}

std::string ChangeText(const RunParameters& base, const ParameterChange& change, TextFor text_for) {
  const SweepRange& range = change.range;
  std::string from;
  switch (range.parameter) {
    case SweepParameter::Size: from = base.size; break;
    case SweepParameter::Packet: from = std::to_string(base.packeting.packet_blocks); break;
    case SweepParameter::Header: from = std::to_string(base.packeting.header_blocks); break;
    case SweepParameter::Rate: from = ShortestText(LeadingNumber(base.rates.at(range.link))); break;
    case SweepParameter::Delay: from = base.delays.at(range.link); break;
  }
  const std::string unit = SweepUnit(range);
  const double to = range.values.at(0);
  if (text_for == TextFor::Programs) {
    const bool short_unit = unit == "units" || unit == "blocks";
    const std::string shown_unit = unit == "blocks" && to == 1 ? "block" : unit;
    return SweepAxisEnglish(range) + " from " + from + " to " + ShortestText(to) + (short_unit ? " " + shown_unit : "");
  }
  std::string to_text = PeopleNumber(ShortestText(to));
  if (unit == "blocks") to_text = Fill(TrN("{0} block", "{0} blocks", to == 1 ? 1 : 2), {to_text});
  if (unit == "units") to_text = Fill(Tr("{0} units"), {to_text});
  return Fill(Tr("{0} from {1} to {2}"), {SweepAxisName(range), PeopleNumber(from), to_text});
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
    // What older sheets could not hold counts only where given, so that
    // their keys, and the progress kept under them, stay.
    if (!e.hint.empty()) hash.Add("hint:" + e.hint);
    if (e.sweep) hash.Add("sweep:" + SweepParameterName(*e.sweep) + ShortestText(e.sweep->values.front()) + ":" +
                          ShortestText(e.sweep->values.back()) + ":" + std::to_string(e.sweep->values.size()) +
                          ":" + e.overtaken);
    for (const ParameterChange& change : e.changes) hash.Add("change:" + change.text);
    if (e.ask == ExerciseAsk::CircuitUsers || e.ask == ExerciseAsk::Congestion) {
      const ShareSetting& s = e.share;
      hash.Add("share:" + std::to_string(s.users) + "," + ShortestText(s.active) + "," + s.user_rate + "," +
               s.link_rate + "," + (s.burst_slots ? ShortestText(*s.burst_slots) : "") + "," +
               std::to_string(s.slot_count));
    }
    if (e.ask == ExerciseAsk::QueueWait) {
      hash.Add("queue:" + ShortestText(e.queue.intensity) + "," + std::to_string(e.queue.packets));
    }
  }
  char key[17];
  std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash.value()));
  return key;
}

namespace {

// The question of a kind in English, or as a person reads it in the language in use.
std::string QuestionOf(ExerciseAsk ask, std::string_view technique, TextFor text_for) {
  const bool people = text_for == TextFor::People;
  const auto words = [people](std::string_view english) { return people ? Tr(english) : std::string(english); };
  const std::string named = people ? Tr(technique) : std::string(technique);
  switch (ask) {
    case ExerciseAsk::Completion:
      return Fill(words(Mark("How long after Start does the last of the data reach Receive with {0}, in ms?")),
                  {named});
    case ExerciseAsk::Fastest:
      return words(Mark("Which technique delivers the whole message to Receive first: Message, Circuit or Packet?"));
    case ExerciseAsk::Bottleneck: return words(Mark("At what rate does the circuit's data run?"));
    case ExerciseAsk::OptimalPacket:
      return words(Mark("Which packet size, in blocks, lets Packet deliver the message soonest?"));
    case ExerciseAsk::Crossover:
      return Fill(words(Mark("Along the swept parameter, at what value does {0} start to deliver before the other "
                             "technique?")),
                  {named});
    case ExerciseAsk::WhichChange:
      return Fill(words(Mark("Which change shortens the completion of {0} more?")), {named});
    case ExerciseAsk::CircuitUsers: return words(Mark("How many users can reserved circuits serve on this link?"));
    case ExerciseAsk::Congestion:
      return words(Mark("What is the probability that more users are active at once than circuits would serve?"));
    case ExerciseAsk::QueueWait: return words(Mark("What is the mean wait of a packet in the queue, in ms?"));
  }
  return {};
}

}  // namespace

std::string DefaultQuestion(ExerciseAsk ask, std::string_view technique) {
  return QuestionOf(ask, technique, TextFor::Programs);
}

std::string ShownQuestion(const Exercise& exercise, bool in_catalog) {
  const std::string& technique = exercise.parameters.technique;
  if (exercise.question == DefaultQuestion(exercise.ask, technique)) {
    return QuestionOf(exercise.ask, technique, TextFor::People);
  }
  return in_catalog ? Tr(exercise.question) : exercise.question;
}

}  // namespace switchsim
