#include "classroom/status_texts.h"

#include <algorithm>
#include <cstdio>

#include "form/lists.h"
#include "records/results_format.h"
#include "form/shown_texts.h"
#include "text/translation.h"

namespace switchsim {

RunPhase StatusTexts::Phase() const {
  if (!form_.RunExists()) return form_.TimerEnabled() ? RunPhase::EmptyClock : RunPhase::Ready;
  if (form_.TimerEnabled()) return RunPhase::Running;
  if (form_.simulation().State().ClockMs > kStopAfterMs) return RunPhase::Ended;
  return RunPhase::Paused;
}

namespace {

// "3.250": ms of clock as seconds, three decimals, as a person writes them.
std::string Seconds(std::int32_t ms) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.3f", ms / 1000.0);
  return PeopleNumber(text.data());
}

}  // namespace

std::string ClockTextOf(std::int32_t clock_ms) { return Fill(Tr("t = {0} s"), {Seconds(clock_ms)}); }

std::string StatusTexts::ClockText() const { return ClockTextOf(form_.simulation().State().ClockMs); }

std::string StatusTexts::PhaseText() const {
  switch (Phase()) {
    case RunPhase::Ready: return Tr("Ready");
    case RunPhase::EmptyClock: return Tr("Clock running without a message");
    case RunPhase::Running: return Tr("Running");
    case RunPhase::Paused: return Tr("Paused");
    case RunPhase::Ended: return Fill(Tr("Ended at {0} s"), {Seconds(form_.simulation().State().ClockMs)});
  }
  return "";
}

void StatusTexts::Say(std::string text) {
  constexpr std::size_t kRecentNotices = 8;
  ++notice_count_;
  recent_notices_.push_back(std::move(text));
  if (recent_notices_.size() > kRecentNotices) recent_notices_.erase(recent_notices_.begin());
}

const std::string& StatusTexts::Notice() const {
  static const std::string none;
  return recent_notices_.empty() ? none : recent_notices_.back();
}

std::string StatusTexts::NoticesSince(int count) const {
  const auto fresh = static_cast<std::size_t>(std::max(0, notice_count_ - count));
  const std::size_t first = recent_notices_.size() - std::min(fresh, recent_notices_.size());
  std::string text;
  for (std::size_t i = first; i < recent_notices_.size(); ++i) {
    if (!text.empty()) text += ". ";
    text += recent_notices_[i];
  }
  return text;
}

std::string StatusTexts::MarkerText(Marker marker) const {
  const auto m = static_cast<std::size_t>(marker);
  const std::string technique = ShownText(lists::kMethodItems.at(m));
  const MarkerState& state = form_.Markers().at(m);
  if (!state.visible) return Fill(Tr("{0} marker, not placed"), {technique});
  const MarkerNote& note = marker_notes_.at(m);
  if (!note.completed) return Fill(Tr("{0} data arriving"), {technique});
  return Fill(Tr("{0} completed at {1} ms, formula {2} ms"),
              {technique, std::to_string(state.clock_ms), PeopleNumber(FormulaText(note.formula_ms))});
}

std::string StatusTexts::FirstDelivered() const {
  std::vector<std::pair<std::int32_t, std::size_t>> delivered;  // clock, marker
  for (std::size_t m = 0; m < marker_notes_.size(); ++m) {
    const MarkerState& state = form_.Markers().at(m);
    if (state.visible && marker_notes_[m].completed) delivered.emplace_back(state.clock_ms, m);
  }
  if (delivered.size() < 2) return "";
  std::stable_sort(delivered.begin(), delivered.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::array<std::string, 2 * kTechniqueCount> parts;  // name and ms of each, first to last
  for (std::size_t i = 0; i < delivered.size(); ++i) {
    parts[2 * i] = ShownText(lists::kMethodItems.at(delivered[i].second));
    parts[2 * i + 1] = std::to_string(delivered[i].first);
  }
  if (delivered.size() == 2) {
    return Fill(Tr("{0} first at {1} ms, then {2} {3} ms"), {parts[0], parts[1], parts[2], parts[3]});
  }
  return Fill(Tr("{0} first at {1} ms, then {2} {3} ms, {4} {5} ms"),
              {parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]});
}

void StatusTexts::NoteMarker(Marker marker, double formula_ms, bool completed) {
  marker_notes_.at(static_cast<std::size_t>(marker)) = {formula_ms, completed};
}

}  // namespace switchsim
