#include "exercises/exercise_progress.h"

#include <array>
#include <cstdio>

#include "exercises/exercise_answer.h"
#include "text/text_escape.h"
#include "text/translation.h"

namespace switchsim {
namespace {

inline constexpr std::string_view kProgressVersion = "exercises 2";
inline constexpr std::string_view kFirstProgressVersion = "exercises 1";  // the last answer only

// A text as a CSV field that a spreadsheet shows as text, never runs as a formula.
std::string SheetText(std::string_view text) {
  if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
    return CsvField("'" + std::string(text));
  }
  return CsvField(text);
}

// A field of the kept text: tabs and line ends would split it.
std::string Field(std::string_view text) {
  std::string field(text);
  for (char& c : field) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return field;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

// One exercise's line: "-", or per attempt its verdict, time, hint and answer.
bool ReadAttempts(std::string_view line, bool first_version, ExerciseRecord& record) {
  if (line == "-") return true;
  const std::vector<std::string_view> fields = Split(line, '\t');
  const std::size_t per = first_version ? 2 : 4;
  if (fields.size() % per != 0) return false;
  for (std::size_t i = 0; i < fields.size(); i += per) {
    const std::string_view verdict = fields[i];
    if (verdict != "y" && verdict != "n") return false;
    Attempt attempt;
    attempt.within = verdict == "y";
    attempt.answer = std::string(fields[i + per - 1]);
    if (!first_version) {
      if (fields[i + 2] != "" && fields[i + 2] != "h") return false;
      attempt.time = std::string(fields[i + 1]);
      attempt.hinted = fields[i + 2] == "h";
    }
    record.attempts.push_back(std::move(attempt));
  }
  return true;
}

// Days since 1970-01-01 to the civil date, in the proleptic Gregorian calendar.
std::array<std::int64_t, 3> CivilDate(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t of_era = days - era * 146097;
  const std::int64_t year_of_era = (of_era - of_era / 1460 + of_era / 36524 - of_era / 146096) / 365;
  const std::int64_t day_of_year = of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t mp = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * mp + 2) / 5 + 1;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  return {year_of_era + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace

std::string UtcText(std::int64_t seconds) {
  const std::int64_t day_seconds = 86400;
  std::int64_t days = seconds / day_seconds;
  std::int64_t rest = seconds % day_seconds;
  if (rest < 0) {
    rest += day_seconds;
    --days;
  }
  const auto [year, month, day] = CivilDate(days);
  char text[128];
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ", static_cast<long long>(year),
                static_cast<long long>(month), static_cast<long long>(day), static_cast<long long>(rest / 3600),
                static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
  return text;
}

std::string ProgressText(const std::vector<ExerciseRecord>& records) {
  std::string text(kProgressVersion);
  for (const ExerciseRecord& record : records) {
    text += "\n";
    if (!record.answered()) {
      text += "-";
      continue;
    }
    std::string line;
    for (const Attempt& a : record.attempts) {
      line += std::string(line.empty() ? "" : "\t") + (a.within ? "y" : "n") + "\t" + Field(a.time) + "\t" +
              (a.hinted ? "h" : "") + "\t" + Field(a.answer);
    }
    text += line;
  }
  return text;
}

std::vector<ExerciseRecord> ReadProgress(std::string_view stored, std::size_t count) {
  const std::vector<ExerciseRecord> none(count);
  const std::vector<std::string_view> lines = Split(stored, '\n');
  const bool first_version = lines.front() == kFirstProgressVersion;
  if (lines.size() != count + 1 || (lines.front() != kProgressVersion && !first_version)) return none;
  std::vector<ExerciseRecord> read(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (!ReadAttempts(lines[i + 1], first_version, read[i])) return none;
  }
  return read;
}

std::string ProgressCsv(const ExerciseSheet& sheet, const std::vector<ExerciseRecord>& records) {
  std::string csv = "Set,Exercise,Kind,Question,Attempt,Time,Answer,Hint used,Expected,Within tolerance\r\n";
  for (std::size_t i = 0; i < sheet.exercises.size(); ++i) {
    const Exercise& exercise = sheet.exercises[i];
    const ExerciseRecord record = i < records.size() ? records[i] : ExerciseRecord{};
    const std::string start = SheetText(sheet.title) + "," + std::to_string(i + 1) + "," +
                              std::string(AskName(exercise.ask)) + "," + SheetText(exercise.question) + ",";
    if (!record.answered()) {
      csv += start + ",,,,,\r\n";
      continue;
    }
    const std::string expected =
        SheetText(AnswerText(exercise, ExpectedAnswerOf(exercise).answer, TextFor::Programs));
    for (std::size_t n = 0; n < record.attempts.size(); ++n) {
      const Attempt& a = record.attempts[n];
      csv += start + std::to_string(n + 1) + "," + SheetText(a.time) + "," + SheetText(a.answer) + "," +
             (a.hinted ? "yes" : "no") + "," + expected + "," + (a.within ? "yes" : "no") + "\r\n";
    }
  }
  return csv;
}

std::string ProgressSummary(const std::vector<ExerciseRecord>& records) {
  int answered = 0;
  int within = 0;
  for (const ExerciseRecord& record : records) {
    answered += record.answered() ? 1 : 0;
    within += record.within() ? 1 : 0;
  }
  return Fill(Tr("{0} of {1} answered, {2} within tolerance"),
              {std::to_string(answered), std::to_string(records.size()), std::to_string(within)});
}

}  // namespace switchsim
