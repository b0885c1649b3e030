#include "exercises/exercise_members.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "explore/curve_marks.h"
#include "form/lists.h"
#include "simulation/numbers.h"
#include "form/run_choice.h"
#include "explore/sweep.h"
#include "simulation/techniques.h"

namespace switchsim {
namespace {

enum class Use { No, May, Must };

// Which members each kind uses, in the order of ExerciseAsk: completion,
// fastest, bottleneck, optimal-packet, crossover, which-change, then the
// labs' circuit-users, congestion and queue-wait.
struct MemberUse {
  std::string_view name;
  std::array<Use, kAskNames.size()> by_kind;
};

constexpr Use N = Use::No;
constexpr Use M = Use::May;
constexpr Use R = Use::Must;

inline constexpr std::array<MemberUse, 24> kMembers = {{
    {"question", {R, R, R, R, R, R, R, R, R}},  {"ask", {R, R, R, R, R, R, R, R, R}},
    {"technique", {R, N, N, N, R, R, N, N, N}}, {"size", {R, R, R, R, R, R, N, N, N}},
    {"rates", {R, R, R, R, R, R, N, N, N}},     {"delays", {R, R, R, R, R, R, N, N, N}},
    {"packet", {M, M, M, N, M, M, N, N, N}},    {"header", {M, M, M, M, M, M, N, N, N}},
    {"seed", {M, M, M, M, M, M, N, M, M}},      {"tolerance", {M, N, M, N, M, N, N, M, M}},
    {"explain", {M, M, M, M, M, M, M, M, M}},   {"hint", {M, M, M, M, M, M, M, M, M}},
    {"sweep", {N, N, N, N, R, N, N, N, N}},     {"overtakes", {N, N, N, N, R, N, N, N, N}},
    {"changes", {N, N, N, N, N, R, N, N, N}},   {"users", {N, N, N, N, N, N, M, R, N}},
    {"active", {N, N, N, N, N, N, N, R, N}},    {"user_rate", {N, N, N, N, N, N, R, R, N}},
    {"link_rate", {N, N, N, N, N, N, R, R, N}}, {"burst", {N, N, N, N, N, N, N, M, N}},
    {"slots", {N, N, N, N, N, N, N, M, N}},     {"intensity", {N, N, N, N, N, N, N, N, R}},
    {"packets", {N, N, N, N, N, N, N, N, M}},   {"buffer", {N, N, N, N, N, N, N, N, N}},
}};

// What a member is for, said when a kind does not use it.
std::string UnusedWhy(ExerciseAsk ask, std::string_view name) {
  static constexpr std::array<std::string_view, 9> kFormMembers = {
      "technique", "size", "rates", "delays", "packet", "header", "sweep", "overtakes", "changes"};
  if (IsLabAsk(ask) && std::find(kFormMembers.begin(), kFormMembers.end(), name) != kFormMembers.end()) {
    return Tr("it asks about a lab, not the form's run");
  }
  if (name == "technique") {
    return ask == ExerciseAsk::Fastest ? Tr("it runs every technique")
                                       : Fill(Tr("it runs {0} by its nature"), {Tr(ImpliedTechnique(ask))});
  }
  if (name == "tolerance") return Tr("its answer is a choice, right or wrong");
  if (name == "packet") return Tr("the packet size is its answer");
  if (name == "buffer") return Tr("the mean wait's formula holds for a buffer without limit");
  if (name == "seed" && ask == ExerciseAsk::CircuitUsers) return Tr("its answer is the same on every run");
  return Tr("it belongs to another kind of question");
}

Use UseOf(const MemberUse& member, ExerciseAsk ask) { return member.by_kind.at(static_cast<std::size_t>(ask)); }

std::string MemberNames() {
  std::string names;
  for (const MemberUse& member : kMembers) {
    names += (names.empty() ? "" : ", ") + std::string(member.name);
  }
  return names;
}

// Whether the kind's name takes "an" in English: "an optimal-packet".
bool TakesAn(ExerciseAsk ask) { return std::string_view("aeiou").find(AskName(ask).front()) != std::string_view::npos; }

}  // namespace

std::optional<std::string> MemberRefusal(ExerciseAsk ask, std::string_view name) {
  for (const MemberUse& member : kMembers) {
    if (member.name != name) continue;
    if (UseOf(member, ask) != Use::No) return std::nullopt;
    const std::string kind(AskName(ask));
    return Fill(TakesAn(ask) ? Tr("{0} is not used by an {1} question ({2}); take it out")
                             : Tr("{0} is not used by a {1} question ({2}); take it out"),
                {Quoted(std::string(name)), kind, UnusedWhy(ask, name)});
  }
  return Fill(Tr("{0} is not a member of an exercise; use {1}"), {Quoted(std::string(name)), MemberNames()});
}

std::optional<std::string> MissingMember(ExerciseAsk ask, const nlohmann::json& object) {
  for (const MemberUse& member : kMembers) {
    if (UseOf(member, ask) != Use::Must || object.contains(member.name)) continue;
    return Fill(TakesAn(ask) ? Tr("no {0} here; an {1} question needs it") : Tr("no {0} here; a {1} question needs it"),
                {Quoted(std::string(member.name)), std::string(AskName(ask))});
  }
  return std::nullopt;
}

std::string_view ImpliedTechnique(ExerciseAsk ask) {
  switch (ask) {
    case ExerciseAsk::Bottleneck: return kMethodCircuit;
    case ExerciseAsk::OptimalPacket: return kMethodPacket;
    default: return lists::kDefaultMethod;
  }
}

std::variant<SweepRange, std::string> ReadCrossoverSweep(const std::string& text) {
  auto range = ReadSweepRange(text);
  if (const auto* spec = std::get_if<SweepRange>(&range); spec && spec->values.size() > kMostCrossoverValues) {
    return Fill(Tr("{0} gives {1} values; a crossover's sweep takes at most {2}, so that its answer is worked out at "
                   "once (take a larger step)"),
                {Quoted(text), std::to_string(spec->values.size()), std::to_string(kMostCrossoverValues)});
  }
  return range;
}

std::optional<std::string> CrossoverRefusal(const Exercise& exercise) {
  const std::string& faster = exercise.parameters.technique;
  if (faster == exercise.overtaken) return Tr("a technique cannot overtake itself; name two techniques");
  const Sweep sweep(*exercise.sweep, exercise.parameters, exercise.parameters.seed, 1);
  for (const Overtake& overtake : FindOvertakes(sweep)) {
    if (overtake.faster == TechniqueIndex(faster) && overtake.slower == TechniqueIndex(exercise.overtaken)) {
      return std::nullopt;
    }
  }
  const std::vector<double>& values = exercise.sweep->values;
  return Fill(Tr("{0} never overtakes {1} along the {2} from {3} to {4}; widen the sweep or swap the techniques"),
              {Tr(faster), Tr(exercise.overtaken), SweepAxisName(*exercise.sweep),
               PeopleNumber(ShortestText(values.front())), PeopleNumber(ShortestText(values.back()))});
}

std::variant<ParameterChange, std::string> ReadChange(const std::string& text, const RunParameters& base) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || text.find(':') != std::string::npos) {
    return Fill(Tr("{0} is not a change; give PARAM=VALUE, for example rate2=1.0 or delay1=20"), {Quoted(text)});
  }
  const std::string value = text.substr(equals + 1);
  const std::string name = text.substr(0, equals);
  // A range of the one value, its step one the parameter takes.
  const std::string step = name.rfind("delay", 0) == 0 ? "" : name == "size" ? ":20" : ":1";
  auto range = ReadSweepRange(name + "=" + value + ":" + value + step);
  if (auto* refusal = std::get_if<std::string>(&range)) return *std::move(refusal);
  ParameterChange change{std::get<SweepRange>(std::move(range)), text};
  if (change.range.values.size() != 1) return Fill(Tr("{0} is not a change to one value"), {Quoted(text)});
  const RunParameters changed = ChangedParameters(base, change);
  RunParameters choice;
  if (auto refusal = ChooseSize(changed.size, choice)) return *refusal + Tr(kSheetSizeWhy);
  if (ModelOf(changed).rates == ModelOf(base).rates && ModelOf(changed).delays == ModelOf(base).delays &&
      ModelOf(changed).size == ModelOf(base).size && changed.packeting == base.packeting) {
    return Fill(Tr("{0} changes nothing: the exercise has that value already"), {Quoted(text)});
  }
  return change;
}

}  // namespace switchsim
