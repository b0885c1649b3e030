#include "web/web_exercises.h"

#include <utility>

#include "exercises/exercise_course.h"
#include "exercises/exercise_sheet.h"
#include "text/json_writer.h"
#include "text/translation.h"

namespace switchsim {
namespace {

std::string_view StepName(ExerciseStep step) {
  switch (step) {
    case ExerciseStep::Closed: return "closed";
    case ExerciseStep::Asking: return "asking";
    case ExerciseStep::Running: return "running";
    case ExerciseStep::Answered: return "answered";
    case ExerciseStep::Done: return "done";
  }
  return "closed";
}

}  // namespace

std::string WebExercises::ReadSheet(std::string_view bytes) {
  SheetReading reading = ReadExerciseSheet(bytes);
  if (!reading.sheet) return reading.error;
  return Hold(std::move(*reading.sheet));
}

void WebExercises::ReadCourse(std::string_view name) {
  const ExerciseSheet* course = BuiltInCourseNamed(name);
  Hold(course != nullptr ? *course : BuiltInCourse());
}

std::string WebExercises::Hold(ExerciseSheet sheet) {
  if (sheet.exercises.empty()) return Tr("The set holds no exercise");
  held_ = std::move(sheet);
  return {};
}

std::string WebExercises::HeldKey() const {
  // The key the flow keeps the set's progress under, once opened.
  return held_ ? "exercises/" + SheetKey(*held_) : std::string();
}

void WebExercises::OpenHeld(std::string_view stored_progress) {
  if (!held_) return;
  flow_.Open(std::move(*held_), stored_progress);
  held_.reset();
  hint_.clear();
}

void WebExercises::Close() {
  flow_.Close();
  hint_.clear();
}

void WebExercises::Commit(std::string_view typed) {
  const std::uint64_t before = flow_.Revision();
  const auto hint = flow_.Commit(typed);
  if (hint) {
    hint_ = *hint;
    ++hints_;
    hint_revision_ = flow_.Revision();
  } else if (flow_.Revision() != before) {
    hint_.clear();
  }
}

void WebExercises::Retry() { flow_.Retry(); }
void WebExercises::Next() { flow_.Next(); }
void WebExercises::StartAgain() { flow_.StartAgain(); }

std::string WebExercises::State() const {
  const ExerciseStep step = flow_.Step();
  const bool open = step != ExerciseStep::Closed;
  const bool current = open && step != ExerciseStep::Done;
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("step").Text(StepName(step));
  json.Key("title").Text(open ? flow_.Sheet().title : "");
  json.Key("heading").Text(current ? flow_.Heading() : "");
  json.Key("question").Text(current ? flow_.Current().question : "");
  json.Key("prompt").Text(current ? flow_.Prompt() : "");
  json.Key("choices").Open('[');
  if (current) {
    for (const std::string& choice : flow_.Choices()) json.Text(choice);
  }
  json.Close(']');
  // A hint belongs to the question it answered: any step since forgets it.
  const bool hinted = !hint_.empty() && hint_revision_ == flow_.Revision();
  json.Key("hint").Text(hinted ? hint_ : "");
  const bool asking = step == ExerciseStep::Asking;
  json.Key("hasHint").Bool(asking && !flow_.TeacherHint().empty() && !flow_.HintShown());
  json.Key("teacherHint").Text(current && flow_.HintShown() ? flow_.TeacherHint() : "");
  json.Key("outcome").Open('[');
  const auto& outcome = flow_.Outcome();
  if (outcome && step == ExerciseStep::Answered) {
    for (const OutcomeLine& line : outcome->lines) {
      json.Open('{').Key("label").Text(line.label).Key("text").Text(line.text).Close('}');
    }
  }
  json.Close(']').Key("within");
  if (outcome && step == ExerciseStep::Answered) {
    json.Bool(outcome->within);
  } else {
    json.Null();
  }
  json.Key("summary").Text(open ? flow_.ProgressSummary() : "");
  json.Key("startAgainQuestion").Text(flow_.StartAgainQuestion());
  json.Key("progressKey").Text(open ? flow_.ProgressKey() : "");
  json.Key("progressText").Text(open ? flow_.ProgressText() : "");
  json.Key("revision").Unsigned(Revision()).Close('}');
  return out;
}

}  // namespace switchsim
