#include "exercises/exercise_sheet.h"

#include <algorithm>
#include <type_traits>
#include <nlohmann/json.hpp>

#include "explore/curve_marks.h"
#include "exercises/exercise_members.h"
#include "simulation/numbers.h"
#include "form/run_choice.h"
#include "exercises/sheet_positions.h"
#include "explore/sweep.h"
#include "text/translation.h"

// The file is read with a maintained JSON library; what is ours is the
// sheet's own rules and turning byte offsets into lines and columns.
namespace switchsim {
namespace {

using Json = nlohmann::json;

class SheetCheck {
 public:
  SheetCheck(std::string_view bytes, const SheetPositions& positions) : bytes_(bytes), positions_(positions) {}

  SheetReading Read(const Json& json);

 private:
  using Problem = std::optional<std::string>;
  Problem ReadExercise(const Json& object, std::size_t index, Exercise& exercise);
  Problem ReadRun(const Json& object, const std::string& path, Exercise& exercise);
  Problem ReadKind(const Json& object, const std::string& path, Exercise& exercise);
  Problem ReadLab(const Json& object, const std::string& path, Exercise& exercise);
  Problem Text(const Json& object, const std::string& path, std::string_view name, std::string& out);
  /// A line that places `message` at the value of `path`.
  std::string At(const std::string& path, const std::string& message) const {
    return LineAndColumn(bytes_, positions_.Of(path)) + ": " + message;
  }

  std::string_view bytes_;
  const SheetPositions& positions_;
};

// A JSON value as an option's text: strings as they are, whole numbers in
// decimals; an array of three of them as "A,B,C" where `three` allows;
// anything else has no text.
std::optional<std::string> OptionText(const Json& value, bool three = false) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number_unsigned()) return std::to_string(value.get<std::uint64_t>());
  if (value.is_number_integer()) return std::to_string(value.get<std::int64_t>());
  if (value.is_number_float()) return ShortestText(value.get<double>());
  if (three && value.is_array() && value.size() == 3) {
    std::string joined;
    for (const Json& item : value) {
      const auto text = OptionText(item);
      if (!text || text->find(',') != std::string::npos) return std::nullopt;
      joined += (joined.empty() ? "" : ",") + *text;
    }
    return joined;
  }
  return std::nullopt;
}

std::string Names(std::span<const std::string_view> names) {
  std::string out;
  for (const std::string_view name : names) out += (out.empty() ? "" : ", ") + std::string(name);
  return out;
}

inline constexpr std::array<std::string_view, 2> kSheetMembers = {"title", "exercises"};

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

// The technique as the technique box writes it, from any case: "packet" is "Packet".
std::string TechniqueCase(const std::string& text) {
  for (const std::string_view item : lists::kMethodItems) {
    if (text.size() == item.size() &&
        std::equal(text.begin(), text.end(), item.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        })) {
      return std::string(item);
    }
  }
  return text;
}

SheetReading SheetCheck::Read(const Json& json) {
  if (!json.is_object()) return {std::nullopt, At("", Tr("expected an object with \"title\" and \"exercises\""))};
  for (const auto& [name, value] : json.items()) {
    if (std::find(kSheetMembers.begin(), kSheetMembers.end(), name) == kSheetMembers.end()) {
      return {std::nullopt, At("/" + name, Fill(Tr("{0} is not a member of a sheet; use {1}"),
                                                {Quoted(name), Names(kSheetMembers)}))};
    }
  }
  ExerciseSheet sheet;
  if (auto problem = Text(json, "", "title", sheet.title)) return {std::nullopt, *problem};
  const auto found = json.find("exercises");
  if (found == json.end()) {
    return {std::nullopt, At("", Tr("the sheet has no \"exercises\"; give an array of exercises"))};
  }
  if (!found->is_array() || found->empty() || found->size() > kMostSheetExercises) {
    return {std::nullopt, At("/exercises", Fill(Tr("expected an array of 1 to {0} exercises"),
                                                {std::to_string(kMostSheetExercises)}))};
  }
  for (std::size_t i = 0; i < found->size(); ++i) {
    Exercise exercise;
    if (auto problem = ReadExercise((*found)[i], i, exercise)) return {std::nullopt, *problem};
    sheet.exercises.push_back(std::move(exercise));
  }
  return {std::move(sheet), {}};
}

SheetCheck::Problem SheetCheck::Text(const Json& object, const std::string& path, std::string_view name,
                                     std::string& out) {
  const auto found = object.find(name);
  const std::string named(name);
  if (found == object.end()) {
    return At(path, Fill(Tr("no {0} here; it is a text and must be given"), {Quoted(named)}));
  }
  const std::string member = path + "/" + named;
  if (!found->is_string()) return At(member, Fill(Tr("expected {0} as a text in double quotes"), {named}));
  out = found->get<std::string>();
  if (out.size() > kMostSheetTextBytes) {
    return At(member, Fill(Tr("the {0} is longer than {1} bytes"), {named, std::to_string(kMostSheetTextBytes)}));
  }
  return std::nullopt;
}

SheetCheck::Problem SheetCheck::ReadExercise(const Json& object, std::size_t index, Exercise& exercise) {
  const std::string path = "/exercises/" + std::to_string(index);
  if (!object.is_object()) return At(path, Fill(Tr("expected exercise {0} as an object"), {std::to_string(index + 1)}));
  std::string ask;
  if (auto problem = Text(object, path, "ask", ask)) return problem;
  const auto kind = AskNamed(ask);
  if (!kind) {
    return At(path + "/ask", Fill(Tr("{0} is not a kind of question; use {1}"), {Quoted(ask), Names(kAskNames)}));
  }
  exercise.ask = *kind;
  for (const auto& [name, value] : object.items()) {
    if (auto refusal = MemberRefusal(exercise.ask, name)) return At(path + "/" + name, *refusal);
  }
  if (auto missing = MissingMember(exercise.ask, object)) return At(path, *missing);
  if (auto problem = Text(object, path, "question", exercise.question)) return problem;
  if (IsBlank(exercise.question)) {
    return At(path + "/question", Tr("the question is empty; write what the student is asked"));
  }
  for (const auto& [name, out] : {std::pair{"explain", &exercise.explain}, std::pair{"hint", &exercise.hint}}) {
    if (object.contains(name)) {
      if (auto problem = Text(object, path, name, *out)) return problem;
    }
  }
  if (auto problem = ReadRun(object, path, exercise)) return problem;
  return ReadKind(object, path, exercise);
}

SheetCheck::Problem SheetCheck::ReadRun(const Json& object, const std::string& path, Exercise& exercise) {
  RunParameters& choice = exercise.parameters;
  choice.seed = kDefaultExerciseSeed;
  using Chooser = std::optional<std::string> (*)(const std::string&, RunParameters&);
  struct Member {
    std::string_view name;
    Chooser choose;
    bool three;  // may be an array of three
  };
  static constexpr std::array<Member, 7> kMembers = {{{"technique", ChooseTechnique, false},
                                                      {"size", ChooseSize, false},
                                                      {"rates", ChooseRates, true},
                                                      {"delays", ChooseDelays, true},
                                                      {"packet", ChoosePacket, false},
                                                      {"header", ChooseHeader, false},
                                                      {"seed", ChooseSeed, false}}};
  for (const Member& member : kMembers) {
    const auto found = object.find(member.name);
    if (found == object.end()) continue;
    const std::string at = path + "/" + std::string(member.name);
    auto text = OptionText(*found, member.three);
    if (!text) {
      const std::string named(member.name);
      return At(at, member.three ? Fill(Tr("expected {0} as a text \"A,B,C\" or an array of three numbers"), {named})
                                 : Fill(Tr("expected {0} as a text or a number"), {named}));
    }
    if (member.name == "technique") text = TechniqueCase(*text);
    if (auto refusal = member.choose(*text, choice)) {
      return At(at, *refusal + (member.name == "size" ? Tr(kSheetSizeWhy) : std::string()));
    }
  }
  if (const auto found = object.find("tolerance"); found != object.end()) {
    const double percent = found->is_number() ? found->get<double>() : -1.0;
    if (!(percent > 0.0 && percent <= kMostTolerancePercent)) {
      return At(path + "/tolerance", Tr("expected the tolerance as a number of per cent above 0 and at most 100"));
    }
    exercise.tolerance_percent = percent;
  }
  if (!object.contains("technique")) choice.technique = std::string(ImpliedTechnique(exercise.ask));
  return std::nullopt;
}

SheetCheck::Problem SheetCheck::ReadKind(const Json& object, const std::string& path, Exercise& exercise) {
  if (IsLabAsk(exercise.ask)) return ReadLab(object, path, exercise);
  if (exercise.ask == ExerciseAsk::Crossover) {
    std::string overtaken;
    if (auto problem = Text(object, path, "overtakes", overtaken)) return problem;
    RunParameters choice;
    if (auto refusal = ChooseTechnique(TechniqueCase(overtaken), choice)) return At(path + "/overtakes", *refusal);
    exercise.overtaken = choice.technique;
    std::string sweep;
    if (auto problem = Text(object, path, "sweep", sweep)) return problem;
    auto range = ReadCrossoverSweep(sweep);
    if (auto* refusal = std::get_if<std::string>(&range)) return At(path + "/sweep", *refusal);
    exercise.sweep = std::get<SweepRange>(std::move(range));
    if (auto refusal = CrossoverRefusal(exercise)) return At(path + "/sweep", *refusal);
  }
  if (exercise.ask == ExerciseAsk::WhichChange) {
    const Json& changes = object.at("changes");
    const std::string at = path + "/changes";
    if (!changes.is_array() || changes.size() < kFewestChanges || changes.size() > kMostChanges) {
      return At(at, Tr("expected the changes as an array of 2 to 4 texts such as \"rate2=1.0\""));
    }
    for (const Json& change : changes) {
      if (!change.is_string()) {
        return At(at, Tr("expected each change as a text such as \"rate2=1.0\" or \"delay1=20\""));
      }
      auto read = ReadChange(change.get<std::string>(), exercise.parameters);
      if (auto* refusal = std::get_if<std::string>(&read)) return At(at, *refusal);
      exercise.changes.push_back(std::get<ParameterChange>(std::move(read)));
    }
  }
  return std::nullopt;
}

// A lab's members: each value read as its kind, then the whole setting
// checked by the lab's own rules, which name the value refused.
SheetCheck::Problem SheetCheck::ReadLab(const Json& object, const std::string& path, Exercise& exercise) {
  ShareSetting& share = exercise.share;
  QueueSetting& queue = exercise.queue;
  const auto whole = [&](const char* name, auto& out, std::int64_t least, std::int64_t most) -> Problem {
    const auto found = object.find(name);
    if (found == object.end()) return std::nullopt;
    if (!found->is_number_integer() || found->get<std::int64_t>() < least || found->get<std::int64_t>() > most) {
      const bool run = most == kMostLabExerciseSteps;  // slots or packets: the lab's run is made as it is graded
      const std::string from = std::to_string(least);
      const std::string to = std::to_string(most);
      return At(path + "/" + name,
                run ? Fill(Tr("expected {0} as a whole number from {1} to {2}, so that the answer's run is made "
                              "at once"),
                           {name, from, to})
                    : Fill(Tr("expected {0} as a whole number from {1} to {2}"), {name, from, to}));
    }
    out = static_cast<std::remove_reference_t<decltype(out)>>(found->get<std::int64_t>());
    return std::nullopt;
  };
  const auto number = [&](const char* name, double& out) -> Problem {
    const auto found = object.find(name);
    if (found == object.end()) return std::nullopt;
    if (!found->is_number()) {
      return At(path + "/" + name, Fill(Tr("expected {0} as a number"), {std::string(name)}));
    }
    out = found->get<double>();
    return std::nullopt;
  };
  const auto rate = [&](const char* name, std::string& out) -> Problem {
    const auto found = object.find(name);
    if (found == object.end()) return std::nullopt;
    const auto text = OptionText(*found);
    if (!text || !PlainRate(*text)) {
      return At(path + "/" + name,
                Fill(Tr("expected {0} as a plain decimal above 0 with at most 9 digits, such as 0.1 or \"0.1\""),
                     {std::string(name)}));
    }
    out = *text;
    return std::nullopt;
  };
  double burst = 0.0;
  for (Problem problem : {whole("users", share.users, 1, kMostShareUsers), number("active", share.active),
                          rate("user_rate", share.user_rate), rate("link_rate", share.link_rate),
                          number("burst", burst), whole("slots", share.slot_count, 1, kMostLabExerciseSteps),
                          number("intensity", queue.intensity),
                          whole("packets", queue.packets, 1, kMostLabExerciseSteps)}) {
    if (problem) return problem;
  }
  if (object.contains("burst")) share.burst_slots = burst;
  share.seed = queue.seed = exercise.parameters.seed;
  const bool queueing = exercise.ask == ExerciseAsk::QueueWait;
  if (auto refusal = queueing ? QueueRefusal(queue) : ShareRefusal(share)) return At(path, *refusal);
  return std::nullopt;
}

}  // namespace

SheetReading ReadExerciseSheet(std::string_view bytes) {
  if (bytes.size() > kMostSheetBytes) {
    return {std::nullopt, LineAndColumn(bytes, kMostSheetBytes) + ": " +
                              Fill(Tr("the file goes on past {0}, the most a sheet may be"),
                                   {std::string(kMostSheetBytesText)})};
  }
  SheetPositions positions(bytes);
  Json json;
  if (auto problem = positions.Scan(json)) return {std::nullopt, *problem};
  return SheetCheck(bytes, positions).Read(json);
}

}  // namespace switchsim
