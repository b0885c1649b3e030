#include "options/exercise_link.h"

#include "text/translation.h"

namespace switchsim {

std::optional<ExerciseSheet> SheetOfRequest(const RunRequest& request) {
  if (!request.predict) return std::nullopt;
  Exercise exercise;
  exercise.ask = request.ask;
  exercise.parameters = RunParameters{request.technique, request.size, request.rates, request.delays,
                                      request.Seed().value_or(kDefaultExerciseSeed), request.packeting};
  exercise.tolerance_percent = request.tolerance.value_or(kDefaultTolerancePercent);
  exercise.question = request.question.value_or(DefaultQuestion(request.ask, request.technique));
  // Its title stays English, as the progress's file keeps it; a person is shown it translated.
  ExerciseSheet sheet{std::string(Mark("Exercise from a link")), {exercise}};
  sheet.texts_in_catalog = true;
  return sheet;
}

}  // namespace switchsim
