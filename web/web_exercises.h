#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "classroom/classroom.h"
#include "exercises/exercise.h"
#include "exercises/exercise_flow.h"

namespace switchsim {

/// The Exercises section behind the page: a set of exercises asked over the
/// page's classroom, and what the section shows of it as one JSON object.
///
/// A set is opened in two steps, so that the page can find the progress it
/// kept for it: Read (a sheet's bytes, the built-in course, or the one
/// exercise of a link) holds a set aside and names the key its progress is
/// kept under; OpenRead opens it with what the page kept there.
class WebExercises {
 public:
  explicit WebExercises(Classroom& classroom) : classroom_(classroom), flow_(classroom) {}

  /// Holds the sheet in `bytes` aside; returns "" or why it is refused (and
  /// then nothing is held, and an open set stays open).
  std::string ReadSheet(std::string_view bytes);
  /// Holds aside the course the program comes with of that name
  /// ("builtin", "sharing"; any other: "builtin").
  void ReadCourse(std::string_view name);
  /// Holds `sheet` aside, as read elsewhere; one without exercises is refused.
  std::string Hold(ExerciseSheet sheet);
  /// The key the progress of the set held aside is kept under; "" when none is.
  std::string HeldKey() const;
  /// Opens the set held aside with the progress kept for it.
  void OpenHeld(std::string_view stored_progress);
  void Close();

  /// Takes a typed answer; a text that is no answer keeps its hint for State.
  void Commit(std::string_view typed);
  void Retry();
  void Next();
  void StartAgain();
  void ShowHint() { flow_.ShowHint(); }
  /// After every tick of the form.
  void AfterTick() { flow_.AfterTick(); }

  /// What the section shows: {"step", "title", "heading", "question",
  /// "prompt", "choices", "hint" (why a text was no answer), "hasHint" (a
  /// teacher's hint waits to be shown), "teacherHint" (its text once shown),
  /// "outcome" ([{"label", "text"}]), "within", "summary",
  /// "startAgainQuestion", "progressKey", "progressText", "revision"}.
  std::string State() const;
  std::string ProgressCsv() const { return flow_.ProgressCsv(); }
  /// Counts every change of what State says.
  std::uint64_t Revision() const { return flow_.Revision() + hints_; }

  const ExerciseFlow& flow() const { return flow_; }

 private:
  Classroom& classroom_;
  ExerciseFlow flow_;
  std::optional<ExerciseSheet> held_;
  std::string hint_;        // why the last text typed was no answer, until the next step
  std::uint64_t hints_ = 0;  // hints given, so that a hint again is shown again
  std::uint64_t hint_revision_ = 0;  // the flow's revision the hint belongs to
};

}  // namespace switchsim
