#include "exercise_progress.h"

#include "exercise_answer.h"
#include "text_escape.h"

namespace switchsim {
namespace {

inline constexpr std::string_view kProgressVersion = "exercises 1";

// A question as a CSV field that a spreadsheet shows as text, never runs as a formula.
std::string SheetText(std::string_view text) {
  if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos) {
    return CsvField("'" + std::string(text));
  }
  return CsvField(text);
}

}  // namespace

std::string ProgressText(const std::vector<ExerciseRecord>& records) {
  std::string text(kProgressVersion);
  for (const ExerciseRecord& record : records) {
    text += "\n";
    if (record.answered) text += (record.within ? "y\t" : "n\t") + record.answer;
    else text += "-";
  }
  return text;
}

std::vector<ExerciseRecord> ReadProgress(std::string_view stored, std::size_t count) {
  std::vector<ExerciseRecord> records(count);
  std::vector<std::string_view> lines;
  while (true) {
    const std::size_t end = stored.find('\n');
    lines.push_back(stored.substr(0, end));
    if (end == std::string_view::npos) break;
    stored.remove_prefix(end + 1);
  }
  if (lines.size() != count + 1 || lines.front() != kProgressVersion) return records;
  std::vector<ExerciseRecord> read(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view line = lines[i + 1];
    if (line == "-") continue;
    if (line.size() < 2 || line[1] != '\t' || (line[0] != 'y' && line[0] != 'n')) return records;
    read[i] = ExerciseRecord{true, line[0] == 'y', std::string(line.substr(2))};
  }
  return read;
}

std::string ProgressCsv(const ExerciseSheet& sheet, const std::vector<ExerciseRecord>& records) {
  std::string csv = "Set,Exercise,Kind,Question,Answered,Answer,Expected,Within tolerance\r\n";
  for (std::size_t i = 0; i < sheet.exercises.size(); ++i) {
    const Exercise& exercise = sheet.exercises[i];
    const ExerciseRecord record = i < records.size() ? records[i] : ExerciseRecord{};
    const ExpectedAnswer expected = ExpectedAnswerOf(exercise);
    csv += SheetText(sheet.title) + "," + std::to_string(i + 1) + "," +
           std::string(AskName(exercise.ask)) + "," + SheetText(exercise.question) + "," +
           (record.answered ? "yes" : "no") + "," + CsvField(record.answer) + "," +
           CsvField(AnswerText(exercise.ask, expected.answer)) + "," +
           (record.answered ? (record.within ? "yes" : "no") : "") + "\r\n";
  }
  return csv;
}

std::string ProgressSummary(const std::vector<ExerciseRecord>& records) {
  int answered = 0;
  int within = 0;
  for (const ExerciseRecord& record : records) {
    answered += record.answered ? 1 : 0;
    within += record.within ? 1 : 0;
  }
  return std::to_string(answered) + " of " + std::to_string(records.size()) + " answered, " +
         std::to_string(within) + " within tolerance";
}

}  // namespace switchsim
