#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include <nlohmann/json_fwd.hpp>

#include "exercises/exercise.h"
#include "text/translation.h"

namespace switchsim {

/// Why a sheet's message size must be one of the size box's, said after a size refused.
/// Marked for the catalog: shown through Tr.
inline constexpr std::string_view kSheetSizeWhy =
    Mark(" (a sheet's size is one the size box lists, so that its run can be shown in the form)");
/// The most values a crossover's sweep takes, so that its answer is worked out at once on any front end.
inline constexpr std::size_t kMostCrossoverValues = 50;

/// Why the member `name` may not stand in an exercise of `ask`: not a
/// member of an exercise at all, or one that this kind does not use (a
/// "technique" on a "fastest"); nothing when it may.
std::optional<std::string> MemberRefusal(ExerciseAsk ask, std::string_view name);
/// The first member an exercise of `ask` needs that `object` lacks, as a message; nothing when none.
std::optional<std::string> MissingMember(ExerciseAsk ask, const nlohmann::json& object);
/// The technique an exercise of `ask` runs when it names none.
std::string_view ImpliedTechnique(ExerciseAsk ask);

/// A crossover's sweep, "PARAM=FROM:TO:STEP" as the driver's --sweep takes
/// it, with at most kMostCrossoverValues values; or why not.
std::variant<SweepRange, std::string> ReadCrossoverSweep(const std::string& text);
/// Why a crossover cannot be asked: the two techniques are one, or the
/// first never overtakes the second in the sweep's range; nothing when it can.
std::optional<std::string> CrossoverRefusal(const Exercise& exercise);
/// One change of a which-change question, "PARAM=VALUE" with a sweep's
/// parameter names ("rate2=1.0", "delay1=20", "size=600"), checked as the
/// form would take it and against `base`, which it must change; or why not.
std::variant<ParameterChange, std::string> ReadChange(const std::string& text, const RunParameters& base);

}  // namespace switchsim
