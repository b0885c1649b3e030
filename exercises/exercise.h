#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/run_log.h"
#include "explore/sweep_range.h"
#include "queueing/queue_setting.h"
#include "sharing/share_setting.h"

namespace switchsim {

/// Whom a composed text is for: a person, in the language in use with its
/// numbers as PeopleNumber writes them; or a program and the kept progress,
/// in English with decimal points, the same in every language.
enum class TextFor { People, Programs };

/// What an exercise asks the student to predict.
enum class ExerciseAsk {
  Completion,     // one technique's completion time, in ms, against its continuous-time value
  Fastest,        // the technique whose data arrives first, in the simulated runs of all three
  Bottleneck,     // the rate the circuit's data runs at, in the rate box's unit
  OptimalPacket,  // the packet size, in blocks, with the least continuous-time packet completion
  Crossover,      // the value of a swept parameter where one technique's formula overtakes another's
  WhichChange,    // which of a few changes of one parameter shortens a technique's completion most
  CircuitUsers,   // how many users reserved circuits serve on a shared link: floor(C / r), exactly
  Congestion,     // the probability that more users are active than circuits would serve, the binomial sum
  QueueWait,      // the mean wait in a router's queue at an intensity, in ms, M/D/1's formula
};

/// The kinds' names, as sheets and links write them, in the order above.
inline constexpr std::array<std::string_view, 9> kAskNames = {
    "completion", "fastest",       "bottleneck", "optimal-packet", "crossover",
    "which-change", "circuit-users", "congestion", "queue-wait"};

/// The kind named `name` in any case ("Completion", "FASTEST"), or nothing.
std::optional<ExerciseAsk> AskNamed(std::string_view name);
std::string_view AskName(ExerciseAsk ask);

/// Whether `ask` is about the labs of a shared link or a queue, rather than the form's run.
bool IsLabAsk(ExerciseAsk ask);
/// The most slots or packets a lab exercise runs, so that its outcome is worked out at once on any front end.
inline constexpr std::int64_t kMostLabExerciseSteps = 200'000;
/// How far an answer may be from the expected one, in per cent, unless an exercise says.
inline constexpr double kDefaultTolerancePercent = 5.0;
/// The widest tolerance an exercise may give, in per cent.
inline constexpr double kMostTolerancePercent = 100.0;
/// The longest question an address or command line may give, in bytes.
inline constexpr std::size_t kMostQuestionBytes = 500;
/// The seed of an exercise that names none, so that its answer can be known before class.
inline constexpr std::uint64_t kDefaultExerciseSeed = 1;

/// The fewest and the most changes a which-change question offers.
inline constexpr std::size_t kFewestChanges = 2;
inline constexpr std::size_t kMostChanges = 4;

/// One change of one parameter, as a sweep names it: "rate2=1.0" is the
/// rate of link 2 set to 1.0 (a range of that one value).
struct ParameterChange {
  SweepRange range;  // its one value is the changed one
  std::string text;  // as the sheet gave it: "rate2=1.0"
};

/// One question and the run it is about. For a completion or a
/// which-change question `parameters.technique` is the technique asked
/// about, for a crossover the technique that overtakes; an optimal-packet
/// question runs Packet; the others run every technique.
struct Exercise {
  std::string question;
  ExerciseAsk ask = ExerciseAsk::Completion;
  RunParameters parameters;
  double tolerance_percent = kDefaultTolerancePercent;
  std::string explain;  // the teacher's words after the answer; may be empty
  std::string hint;     // shown on request before the answer; may be empty
  std::optional<SweepRange> sweep;      // crossover: the parameter swept and its values
  std::string overtaken;                // crossover: the technique overtaken
  std::vector<ParameterChange> changes;  // which-change: the changes offered, in order
  ShareSetting share;                    // circuit-users, congestion: the shared link (its seed the exercise's)
  QueueSetting queue;                    // queue-wait: the queue (its seed the exercise's)
};

/// Whether an exercise of `ask` is graded within a tolerance (a number
/// answered), rather than by a choice that is right or wrong.
bool UsesTolerance(ExerciseAsk ask);

/// `base` with `change` made.
RunParameters ChangedParameters(const RunParameters& base, const ParameterChange& change);
/// The change in words, from the exercise's value to the new one:
/// "rate of link 2 from 0.5 to 1".
std::string ChangeText(const RunParameters& base, const ParameterChange& change, TextFor text_for);

/// A set of exercises under a title, in the order they are asked.
struct ExerciseSheet {
  std::string title;
  std::vector<Exercise> exercises;
  /// A course the program comes with: its title, questions, hints and
  /// explanations are the catalog's, shown in the language in use (see
  /// ShownSheet). A teacher's sheet keeps its own words.
  bool texts_in_catalog = false;
};

/// A short key that tells sets apart for keeping their progress: the same
/// title and exercises give the same key, on every front end.
std::string SheetKey(const ExerciseSheet& sheet);

/// The question an exercise of `ask` about `technique` asks when its sheet
/// or link gives none: "How long does Circuit take to deliver the message, in ms?".
/// In English, as the exercise keeps it (its sheet's key is the same in every
/// language); ShownQuestion gives it in the language in use.
std::string DefaultQuestion(ExerciseAsk ask, std::string_view technique);

/// The exercise's question as a person reads it: a default question
/// (DefaultQuestion) and, where `in_catalog`, a course's own question, in the
/// language in use; any other as its sheet wrote it.
std::string ShownQuestion(const Exercise& exercise, bool in_catalog);

}  // namespace switchsim
