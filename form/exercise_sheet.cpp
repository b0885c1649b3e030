#include "exercise_sheet.h"

#include <iterator>
#include <map>
#include <nlohmann/json.hpp>

#include "exercise_answer.h"
#include "numbers.h"
#include "run_choice.h"
#include "sheet_positions.h"

// The file is read with a maintained JSON library; what is ours is the
// sheet's own rules and turning byte offsets into lines and columns.
namespace switchsim {
namespace {

using Json = nlohmann::json;

/// The longest text a sheet's question, explanation or title may be, in bytes.
inline constexpr std::size_t kMostTextBytes = 4000;

class SheetCheck {
 public:
  SheetCheck(std::string_view bytes, const SheetPositions& positions)
      : bytes_(bytes), positions_(positions) {}

  SheetReading Read(const Json& json);

 private:
  std::optional<std::string> ReadExercise(const Json& object, std::size_t index, Exercise& exercise);
  std::optional<std::string> ReadRun(const Json& object, const std::string& path, Exercise& exercise);
  std::optional<std::string> Text(const Json& object, const std::string& path, std::string_view name,
                                  std::string& out);
  /// A line that places `message` at the value of `path`.
  std::string At(const std::string& path, const std::string& message) const {
    return LineAndColumn(bytes_, positions_.Of(path)) + ": " + message;
  }

  std::string_view bytes_;
  const SheetPositions& positions_;
};

// A JSON value as an option's text: strings as they are, whole numbers in
// decimals; anything else has no text.
std::optional<std::string> OptionText(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number_unsigned()) return std::to_string(value.get<std::uint64_t>());
  if (value.is_number_integer()) return std::to_string(value.get<std::int64_t>());
  if (value.is_number_float()) return ShortestText(value.get<double>());
  return std::nullopt;
}

std::string Names(std::span<const std::string_view> names) {
  std::string out;
  for (const std::string_view name : names) out += (out.empty() ? "" : ", ") + std::string(name);
  return out;
}

inline constexpr std::array<std::string_view, 2> kSheetMembers = {"title", "exercises"};
inline constexpr std::array<std::string_view, 11> kExerciseMembers = {
    "question", "ask", "technique", "size", "rates", "delays",
    "packet", "header", "seed", "tolerance", "explain"};

std::optional<std::string> Unknown(const Json& object, std::span<const std::string_view> allowed) {
  for (const auto& [name, value] : object.items()) {
    if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) return name;
  }
  return std::nullopt;
}

SheetReading SheetCheck::Read(const Json& json) {
  if (!json.is_object()) return {std::nullopt, At("", "expected an object with \"title\" and \"exercises\"")};
  if (const auto name = Unknown(json, kSheetMembers)) {
    return {std::nullopt, At("/" + *name, Quoted(*name) + " is not a member of a sheet; use " +
                                              Names(kSheetMembers))};
  }
  ExerciseSheet sheet;
  if (auto problem = Text(json, "", "title", sheet.title)) return {std::nullopt, *problem};
  const auto found = json.find("exercises");
  if (found == json.end()) return {std::nullopt, At("", "the sheet has no \"exercises\"; give an array of exercises")};
  if (!found->is_array() || found->empty() || found->size() > kMostSheetExercises) {
    return {std::nullopt, At("/exercises", "expected an array of 1 to " +
                                               std::to_string(kMostSheetExercises) + " exercises")};
  }
  for (std::size_t i = 0; i < found->size(); ++i) {
    Exercise exercise;
    if (auto problem = ReadExercise((*found)[i], i, exercise)) return {std::nullopt, *problem};
    sheet.exercises.push_back(std::move(exercise));
  }
  return {std::move(sheet), {}};
}

std::optional<std::string> SheetCheck::Text(const Json& object, const std::string& path,
                                            std::string_view name, std::string& out) {
  const auto found = object.find(name);
  if (found == object.end()) {
    return At(path, "no " + Quoted(std::string(name)) + " here; it is a text and must be given");
  }
  const std::string member = path + "/" + std::string(name);
  if (!found->is_string()) return At(member, "expected " + std::string(name) + " as a text in double quotes");
  out = found->get<std::string>();
  if (out.size() > kMostTextBytes) {
    return At(member, "the " + std::string(name) + " is longer than " + std::to_string(kMostTextBytes) + " bytes");
  }
  return std::nullopt;
}

std::optional<std::string> SheetCheck::ReadExercise(const Json& object, std::size_t index,
                                                    Exercise& exercise) {
  const std::string path = "/exercises/" + std::to_string(index);
  const std::string which = "exercise " + std::to_string(index + 1);
  if (!object.is_object()) return At(path, "expected " + which + " as an object");
  if (const auto name = Unknown(object, kExerciseMembers)) {
    return At(path + "/" + *name, Quoted(*name) + " is not a member of an exercise; use " +
                                      Names(kExerciseMembers));
  }
  if (auto problem = Text(object, path, "question", exercise.question)) return problem;
  std::string ask;
  if (auto problem = Text(object, path, "ask", ask)) return problem;
  const auto kind = AskNamed(ask);
  if (!kind) return At(path + "/ask", Quoted(ask) + " is not a kind of question; use " + Names(kAskNames));
  exercise.ask = *kind;
  if (object.contains("explain")) {
    if (auto problem = Text(object, path, "explain", exercise.explain)) return problem;
  }
  return ReadRun(object, path, exercise);
}

std::optional<std::string> SheetCheck::ReadRun(const Json& object, const std::string& path,
                                               Exercise& exercise) {
  RunChoice choice;
  choice.seed = kDefaultExerciseSeed;
  if (exercise.ask == ExerciseAsk::Completion && !object.contains("technique")) {
    return At(path, "a completion question needs a \"technique\": Message, Circuit or Packet");
  }
  using Chooser = std::optional<std::string> (*)(const std::string&, RunChoice&);
  struct Member {
    std::string_view name;
    Chooser choose;
    bool required;
  };
  static constexpr std::array<Member, 7> kMembers = {{{"technique", ChooseTechnique, false},
                                                      {"size", ChooseSize, true},
                                                      {"rates", ChooseRates, true},
                                                      {"delays", ChooseDelays, true},
                                                      {"packet", ChoosePacket, false},
                                                      {"header", ChooseHeader, false},
                                                      {"seed", ChooseSeed, false}}};
  for (const Member& member : kMembers) {
    const auto found = object.find(member.name);
    const std::string at = path + "/" + std::string(member.name);
    if (found == object.end()) {
      if (member.required) return At(path, "no " + Quoted(std::string(member.name)) + " here; it must be given");
      continue;
    }
    const auto text = OptionText(*found);
    if (!text) return At(at, "expected " + std::string(member.name) + " as a text or a number");
    if (auto refusal = member.choose(*text, choice)) return At(at, *refusal);
  }
  if (const auto found = object.find("tolerance"); found != object.end()) {
    const double percent = found->is_number() ? found->get<double>() : -1.0;
    if (!(percent > 0.0 && percent <= kMostTolerancePercent)) {
      return At(path + "/tolerance", "expected the tolerance as a number of per cent above 0 and at most 100");
    }
    exercise.tolerance_percent = percent;
  }
  if (!object.contains("technique") && exercise.ask != ExerciseAsk::Fastest) {
    choice.technique = exercise.ask == ExerciseAsk::Bottleneck ? kMethodCircuit : kMethodPacket;
  }
  exercise.parameters = RunParameters{choice.technique, choice.size, choice.rates, choice.delays,
                                      *choice.seed, choice.packeting};
  return std::nullopt;
}

}  // namespace

SheetReading ReadExerciseSheet(std::string_view bytes) {
  if (bytes.size() > kMostSheetBytes) {
    return {std::nullopt, LineAndColumn(bytes, kMostSheetBytes) +
                              ": the file goes on past 1 MB, the most a sheet may be"};
  }
  SheetPositions positions(bytes);
  Json json;
  if (auto problem = positions.Scan(json)) return {std::nullopt, *problem};
  return SheetCheck(bytes, positions).Read(json);
}

}  // namespace switchsim
