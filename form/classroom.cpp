#include "classroom.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "continuous_time.h"
#include "lists.h"
#include "numbers.h"

namespace switchsim {
namespace {

constexpr std::uint64_t kFreshSeedSpan = 999999;  // fresh seeds run from 1 to this

RunParameters ParametersOfBoxes(const FormLogic& form, std::uint64_t seed) {
  RunParameters parameters;
  parameters.technique = form.MethodText();
  parameters.size = form.MessageSizeText();
  for (int k = 0; k < kLinkCount; ++k) {
    parameters.rates[k] = form.RateText(k);
    parameters.delays[k] = form.DelayText(k);
  }
  parameters.seed = seed;
  return parameters;
}

double FormulaMs(const RunParameters& p) {
  return ContinuousCompletionMs(p.technique, ModelOfTexts(p.size, p.rates, p.delays));
}

// Whether a record holds data of `technique` that has not reached Receive.
// Circuit data passed on (kind 10) stays on its link for good and is done.
bool IsPendingData(const TransferUnit& unit, std::string_view technique) {
  if (unit.Status < 0) return false;
  if (technique == kMethodMessage) return unit.Kind == kKindMessage;
  if (technique == kMethodPacket) return unit.Kind == kKindPacket;
  if (technique == kMethodCircuit) return unit.Kind == kKindCircuitData;
  return false;
}

std::string Csv(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string ShellWord(const std::string& word) {
  const bool plain = !word.empty() && word.find_first_not_of(
                                          "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                          "0123456789.,+-_=/") == std::string::npos;
  if (plain) return word;
  std::string quoted = "'";
  for (const char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string Joined(const std::array<std::string, 3>& texts, std::string_view separator) {
  return texts[0] + std::string(separator) + texts[1] + std::string(separator) + texts[2];
}

}  // namespace

Classroom::Classroom(FormLogic& form, Mt64Random& random, std::optional<std::uint64_t> first_seed,
                     SeedSource fresh)
    : form_(form), random_(random), next_seed_(first_seed), fresh_(std::move(fresh)) {
  form_.SetListener(this);
}

Classroom::~Classroom() { form_.SetListener(nullptr); }

std::uint64_t Classroom::FreshSeed() { return Mt64Random::SystemSeed() % kFreshSeedSpan + 1; }

bool Classroom::CanStep() const {
  return form_.RunExists() && !form_.TimerEnabled() &&
         form_.simulation().State().ClockMs <= kStopAfterMs;
}

void Classroom::Step() {
  if (CanStep()) form_.Timer1_Timer();
}

RunPhase Classroom::Phase() const {
  if (!form_.RunExists()) return form_.TimerEnabled() ? RunPhase::EmptyClock : RunPhase::Ready;
  if (form_.TimerEnabled()) return RunPhase::Running;
  if (form_.simulation().State().ClockMs > kStopAfterMs) return RunPhase::Ended;
  return RunPhase::Paused;
}

std::string Classroom::ClockText() const {
  const std::int32_t ms = form_.simulation().State().ClockMs;
  std::array<char, 32> text{};
  const double seconds = ms / 1000.0;
  std::snprintf(text.data(), text.size(), ms % 10 == 0 ? "t = %.2f s" : "t = %.3f s", seconds);
  return text.data();
}

std::string Classroom::PhaseText() const {
  switch (Phase()) {
    case RunPhase::Ready: return "Ready";
    case RunPhase::EmptyClock: return "Clock running without a message";
    case RunPhase::Running: return "Running";
    case RunPhase::Paused: return "Paused";
    case RunPhase::Ended:
      return delivered_ ? "Ended at 15 s" : "Ended at 15 s: data not delivered within 15 s";
  }
  return "";
}

void Classroom::SetNotice(std::string text) {
  constexpr std::size_t kRecentNotices = 8;
  ++notice_count_;
  recent_notices_.push_back(std::move(text));
  if (recent_notices_.size() > kRecentNotices) recent_notices_.erase(recent_notices_.begin());
}

const std::string& Classroom::Notice() const {
  static const std::string none;
  return recent_notices_.empty() ? none : recent_notices_.back();
}

std::string Classroom::NoticesSince(int count) const {
  const auto fresh = static_cast<std::size_t>(std::max(0, notice_count_ - count));
  const std::size_t first = recent_notices_.size() - std::min(fresh, recent_notices_.size());
  std::string text;
  for (std::size_t i = first; i < recent_notices_.size(); ++i) {
    if (!text.empty()) text += ". ";
    text += recent_notices_[i];
  }
  return text;
}

std::string Classroom::MarkerText(Marker marker) const {
  const auto m = static_cast<std::size_t>(marker);
  const std::string technique(lists::kMethodItems.at(m));
  const MarkerState& state = form_.Markers().at(m);
  if (!state.visible) return technique + " marker, not placed";
  const MarkerNote& note = marker_notes_.at(m);
  if (!note.completed) {
    return technique + " data arriving, the latest at " + std::to_string(state.clock_ms) + " ms";
  }
  return technique + " completed at " + std::to_string(state.clock_ms) + " ms, formula " +
         FormulaText(note.formula_ms) + " ms";
}

bool Classroom::DataPending() const {
  const std::string& technique = current_->technique;
  for (const TransferUnit& unit : form_.simulation().State().UnitTable) {
    if (IsPendingData(unit, technique)) return true;
  }
  return false;
}

void Classroom::OnRunStart() {
  const std::uint64_t seed = next_seed_ ? *next_seed_ : fresh_();
  next_seed_.reset();
  random_.Reseed(seed);
  // After the reset the rate boxes show the rates the run will use.
  current_ = ParametersOfBoxes(form_, seed);
  log_text_.clear();
  log_ = std::make_unique<RunLog>(form_.simulation(), form_, RunLog::Format::Json, log_text_);
  log_->Start(*current_);
  recording_ = true;
  delivered_ = false;
  changed_ = false;
  lowered_links_ = 0;
  SetNotice("Started " + current_->technique + ": " + ParameterLine(*current_));
}

void Classroom::OnTickEnd() {
  if (!recording_ || form_.simulation().State().ClockMs <= kStopAfterMs) return;
  log_->End(FormulaMs(*current_));
  recording_ = false;
  SetNotice(delivered_ ? PhaseText() + "; " + CompletionNotice(results_.front()) : PhaseText());
}

void Classroom::OnPauseToggled(bool running) {
  const std::string at = " at " + ClockText();
  if (!form_.RunExists()) {
    SetNotice(running ? "Clock running without a message; Start sends one" : "Clock stopped" + at);
  } else {
    SetNotice((running ? "Continued" : "Paused") + at);
  }
}

void Classroom::OnRunReset() { SetNotice("Reset: the traces are cleared, the markers stay"); }

void Classroom::OnParameterChanged(BoxId box) {
  if (form_.RunExists() && recording_) changed_ = true;
  if (box.kind == BoxKind::Method || !markers_placed_) return;
  // The change cleared the traces and hid the markers.
  markers_placed_ = false;
  const std::string link = std::to_string(box.link + 1);
  const std::string what = box.kind == BoxKind::Size    ? std::string("The message size")
                           : box.kind == BoxKind::Delay ? "The delay of link " + link
                                                        : "The rate of link " + link;
  SetNotice(what + " changed: traces and markers cleared" +
            (form_.TimerEnabled() ? ", the run goes on" : ""));
}

void Classroom::OnRateRefused(int link, const std::string& typed, const std::string& kept) {
  SetNotice(Quoted(typed) + " is not a usable rate: link " + std::to_string(link + 1) + " keeps " +
            kept);
}

void Classroom::OnCompletion(const Completion& completion) {
  if (RunLog* log = Recording()) log->OnCompletion(completion);
  markers_placed_ = true;
  MarkerNote& note = marker_notes_.at(static_cast<std::size_t>(completion.marker));
  note.formula_ms = current_ ? FormulaMs(*current_) : 0.0;
  note.completed = current_ && !DataPending();
  if (!recording_ || delivered_) return;
  if (DataPending()) return;
  delivered_ = true;
  results_.insert(results_.begin(),
                  RunResult{*current_, completion.clock_ms, FormulaMs(*current_), changed_});
  SetNotice(CompletionNotice(results_.front()));
}

void Classroom::OnDraw(const Stroke& stroke) {
  if (RunLog* log = Recording()) log->OnDraw(stroke);
}
void Classroom::OnUnitSetUp(int record) {
  if (RunLog* log = Recording()) log->OnUnitSetUp(record);
}
void Classroom::OnTick(std::int32_t clock_ms, bool ascending) {
  if (RunLog* log = Recording()) log->OnTick(clock_ms, ascending);
}
void Classroom::OnStop(std::int32_t clock_ms) {
  if (RunLog* log = Recording()) log->OnStop(clock_ms);
}
void Classroom::OnGrant(std::int32_t clock_ms, int record, int link) {
  if (RunLog* log = Recording()) log->OnGrant(clock_ms, record, link);
}
void Classroom::OnFree(std::int32_t clock_ms, int record, int link) {
  if (RunLog* log = Recording()) log->OnFree(clock_ms, record, link);
}
void Classroom::OnPass(std::int32_t clock_ms, int record, int link) {
  if (RunLog* log = Recording()) log->OnPass(clock_ms, record, link);
}
void Classroom::OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t kind) {
  if (RunLog* log = Recording()) log->OnArrive(clock_ms, record, link, kind);
}
void Classroom::OnBottleneck(std::int32_t clock_ms) {
  if (RunLog* log = Recording()) log->OnBottleneck(clock_ms);
  unsigned lowered = 0;
  std::string links;
  std::string rate;
  for (int k = 0; k < kLinkCount; ++k) {
    if (form_.RateColour(k) != kRed) continue;
    lowered |= 1U << k;
    links += (links.empty() ? "" : " and ") + std::to_string(k + 1);
    rate = form_.RateText(k);
  }
  if (lowered == 0 || lowered == lowered_links_) return;
  lowered_links_ = lowered;
  SetNotice("The circuit runs at the slowest link's rate: " +
            std::string(links.size() > 1 ? "links " : "link ") + links + " lowered to " + rate);
}

LinkModel ChosenModel(const FormLogic& form) {
  LinkModel model;
  for (int k = 0; k < kLinkCount; ++k) {
    model.rates[k] = form.RateColour(k) == kRed ? form.simulation().State().SavedRates[k]
                                                : form.simulation().TickRate(k);
    model.delays[k] = LeadingNumber(form.DelayText(k));
  }
  model.size = LeadingNumber(form.MessageSizeText());
  return model;
}

std::string MsText(double ms) {
  if (!std::isfinite(ms)) return "-";
  std::array<char, 40> text{};
  std::snprintf(text.data(), text.size(), "%.1f", ms);
  return text.data();
}

std::string FormulaText(double ms) { return ShortestText(std::round(ms * 10) / 10); }

std::string CompletionNotice(const RunResult& result) {
  return result.parameters.technique + ": " + std::to_string(result.simulated_ms) +
         " ms, formula " + FormulaText(result.formula_ms) + " ms";
}

std::array<std::string, 9> ResultCells(const RunResult& r) {
  const RunParameters& p = r.parameters;
  return {p.technique,
          p.size,
          Joined(p.rates, " / "),
          Joined(p.delays, " / "),
          std::to_string(r.simulated_ms),
          MsText(r.formula_ms),
          MsText(r.simulated_ms - r.formula_ms),
          std::to_string(p.seed),
          r.changed ? "yes" : "no"};
}

std::string ResultsText(const std::vector<RunResult>& results) {
  std::string text =
      "technique  size  rates             delays        simulated ms  formula ms  difference ms"
      "    seed  changed\n";
  for (const RunResult& r : results) {
    const std::array<std::string, 9> c = ResultCells(r);
    std::array<char, 256> row{};
    std::snprintf(row.data(), row.size(), "%-9s  %4s  %-16s  %-12s  %12s  %10s  %13s  %6s  %s\n",
                  c[0].c_str(), c[1].c_str(), c[2].c_str(), c[3].c_str(), c[4].c_str(),
                  c[5].c_str(), c[6].c_str(), c[7].c_str(), c[8].c_str());
    text += row.data();
  }
  return text;
}

std::string ResultsCsv(const std::vector<RunResult>& results) {
  std::string csv =
      "technique,size,rate 1,rate 2,rate 3,delay 1,delay 2,delay 3,simulated ms,formula ms,"
      "difference ms,seed,changed during run\r\n";
  for (const RunResult& r : results) {
    const RunParameters& p = r.parameters;
    std::string line = Csv(p.technique) + "," + Csv(p.size);
    for (const std::string& rate : p.rates) line += "," + Csv(rate);
    for (const std::string& delay : p.delays) line += "," + Csv(delay);
    line += "," + std::to_string(r.simulated_ms) + "," + MsText(r.formula_ms) + "," +
            MsText(r.simulated_ms - r.formula_ms) + "," + std::to_string(p.seed) + "," +
            (r.changed ? "yes" : "no");
    csv += line + "\r\n";
  }
  return csv;
}

std::string TraceCommand(const RunParameters& p) {
  return "switchsim-trace --technique " + ShellWord(p.technique) + " --size " + ShellWord(p.size) +
         " --rates " + ShellWord(Joined(p.rates, ",")) + " --delays " +
         ShellWord(Joined(p.delays, ",")) + " --seed " + std::to_string(p.seed);
}

}  // namespace switchsim
