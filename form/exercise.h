#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run_log.h"

namespace switchsim {

/// What an exercise asks the student to predict.
enum class ExerciseAsk {
  Completion,     // one technique's completion time, in ms, against its continuous-time value
  Fastest,        // the technique whose data arrives first, in the simulated runs of all three
  Bottleneck,     // the rate the circuit's data runs at, in the rate box's unit
  OptimalPacket,  // the packet size, in blocks, with the least continuous-time packet completion
};

/// The kinds' names, as sheets and links write them, in the order above.
inline constexpr std::array<std::string_view, 4> kAskNames = {"completion", "fastest", "bottleneck",
                                                              "optimal-packet"};

/// The kind named `name` exactly, or nothing.
std::optional<ExerciseAsk> AskNamed(std::string_view name);
std::string_view AskName(ExerciseAsk ask);

/// How far an answer may be from the expected one, in per cent, unless an exercise says.
inline constexpr double kDefaultTolerancePercent = 5.0;
/// The widest tolerance an exercise may give, in per cent.
inline constexpr double kMostTolerancePercent = 100.0;
/// The longest question an address or command line may give, in bytes.
inline constexpr std::size_t kMostQuestionBytes = 500;
/// The seed of an exercise that names none, so that its answer can be known before class.
inline constexpr std::uint64_t kDefaultExerciseSeed = 1;

/// One question and the run it is about. For a completion question
/// `parameters.technique` is the technique asked about; an optimal-packet
/// question runs Packet; the others run every technique.
struct Exercise {
  std::string question;
  ExerciseAsk ask = ExerciseAsk::Completion;
  RunParameters parameters;
  double tolerance_percent = kDefaultTolerancePercent;
  std::string explain;  // the teacher's words after the answer; may be empty
};

/// A set of exercises under a title, in the order they are asked.
struct ExerciseSheet {
  std::string title;
  std::vector<Exercise> exercises;
};

/// A short key that tells sets apart for keeping their progress: the same
/// title and exercises give the same key, on every front end.
std::string SheetKey(const ExerciseSheet& sheet);

/// The question an exercise of `ask` about `technique` asks when its sheet
/// or link gives none: "How long does Circuit take to deliver the message, in ms?".
std::string DefaultQuestion(ExerciseAsk ask, std::string_view technique);

}  // namespace switchsim
