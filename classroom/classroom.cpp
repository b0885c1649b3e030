#include "classroom/classroom.h"

#include <algorithm>
#include <utility>

#include "form/choose_boxes.h"
#include "formulas/continuous_time.h"
#include "form/lists.h"
#include "simulation/numbers.h"
#include "form/run_choice.h"
#include "text/text_escape.h"
#include "text/number_texts.h"

namespace switchsim {

RunParameters ParametersOfBoxes(const FormLogic& form, std::uint64_t seed) {
  RunParameters parameters;
  parameters.technique = form.MethodText();
  parameters.size = form.MessageSizeText();
  for (int k = 0; k < kLinkCount; ++k) {
    parameters.rates[k] = form.RateText(k);
    parameters.delays[k] = form.DelayText(k);
  }
  parameters.seed = seed;
  parameters.packeting = form.simulation().packeting();
  return parameters;
}

RunParameters ChosenParameters(const FormLogic& form, std::uint64_t seed) {
  RunParameters parameters = ParametersOfBoxes(form, seed);
  for (int k = 0; k < kLinkCount; ++k) {
    if (form.RateColour(k) == kRed) parameters.rates[k] = ShortestText(form.simulation().State().SavedRates[k]);
  }
  return parameters;
}

namespace {

// Whether a record holds data of `technique` that has not reached Receive.
// Circuit data passed on (kind 10) stays on its link for good and is done.
bool IsPendingData(const TransferUnit& unit, std::string_view technique) {
  const int index = TechniqueIndex(technique);
  return unit.Status >= 0 && index >= 0 && unit.Kind == kTechniques[static_cast<std::size_t>(index)].data_kind;
}

// How a usable rate that is more than a number was read: "\"1,5\" is read
// as 1; write 1.5 with a decimal point".
std::string ReadingNote(const std::string& text) {
  const double read = LeadingNumber(text);
  std::string note = Quoted(text) + " is read as " + ShortestText(read);
  std::string with_point = text;
  if (const std::size_t comma = with_point.find(','); comma != std::string::npos) {
    with_point[comma] = '.';
    const double meant = LeadingNumber(with_point);
    if (meant != read && IsUsableRate(meant)) {
      note += "; write " + ShortestText(meant) + " with a decimal point";
    }
  }
  return note;
}

}  // namespace

Classroom::Classroom(FormLogic& form, Mt64Random& random, std::optional<std::uint64_t> first_seed,
                     SeedSource fresh)
    : form_(form), random_(random), seeds_(first_seed, std::move(fresh)), recorder_(form),
      status_(form) {
  form_.AddListener(this);
  form_.SetStartGate(this);
}

Classroom::~Classroom() {
  form_.SetStartGate(nullptr);
  form_.RemoveListener(this);
}

bool Classroom::HoldsStart() {
  if (!readouts_hidden_) return false;
  Say(std::string(kStartHeldNotice));
  return true;
}

bool Classroom::CanStep() const {
  return form_.RunExists() && !form_.TimerEnabled() &&
         form_.simulation().State().ClockMs <= kStopAfterMs;
}

void Classroom::Step() {
  if (CanStep()) form_.Timer1_Timer();
}

bool Classroom::ChoosePacketing(bool header, const std::string& text) {
  RunParameters choice;
  choice.packeting = form_.simulation().packeting();
  const std::string_view what = header ? "Header size" : "Packet size";
  const auto refusal = header ? ChooseHeader(text, choice) : ChoosePacket(text, choice);
  if (refusal) {
    Say(std::string(what) + ": " + *refusal);
    return false;
  }
  if (choice.packeting == form_.simulation().packeting()) return true;
  form_.ChoosePacketing(choice.packeting);
  const int p = choice.packeting.packet_blocks;
  const int h = choice.packeting.header_blocks;
  Say("Packets of " + BlocksCount(p) + ", header " + BlocksCount(h) + ": from the next Start");
  return true;
}

std::optional<std::string> Classroom::StartRun(const RunParameters& p) {
  if (readouts_hidden_) return std::string(kStartHeldNotice);
  if (auto refusal = SetUpRun(p)) return refusal;
  form_.cmdStart_Click(0);
  return std::nullopt;
}

std::optional<std::string> Classroom::SetUpRun(const RunParameters& p) {
  if (RunParameters checked; ChooseSize(p.size, checked)) {
    return "The size box has no " + Abridged(p.size) + "; the driver runs it: " + TraceCommand(p);
  }
  if (form_.RunExists()) form_.cmdStart_Click(0);  // Reset
  ChooseBoxes(form_, p);
  seeds_.SetNext(p.seed);
  return std::nullopt;
}

void Classroom::ClearTraces() { form_.ClearTraces(); }

std::string Classroom::MarkerText(Marker marker) const {
  if (!readouts_hidden_) return status_.MarkerText(marker);
  std::string name(MarkerName(marker));
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name + " marker, its time hidden until you answer";
}

void Classroom::SayClock() {
  // The end names its own time.
  Say(Phase() == RunPhase::Ended ? PhaseText() : ClockText() + ", " + PhaseText());
}

void Classroom::Say(std::string notice, bool about_a_rate) {
  rate_notice_ = about_a_rate;
  status_.Say(std::move(notice));
}

double Classroom::FormulaMs() const {
  if (!current_) return 0.0;
  const RunParameters& p = *current_;
  return ContinuousCompletionMs(p.technique, ModelOf(p));
}

bool Classroom::DataPending() const {
  const std::string& technique = current_->technique;
  for (const TransferUnit& unit : form_.simulation().State().UnitTable) {
    if (IsPendingData(unit, technique)) return true;
  }
  return false;
}

void Classroom::OnRunStart() {
  const std::uint64_t seed = seeds_.Next();
  random_.Reseed(seed);
  // After the reset the rate boxes show the rates the run will use.
  current_ = ParametersOfBoxes(form_, seed);
  recorder_.Start(*current_);
  delivered_ = false;
  changed_ = false;
  lowered_links_ = 0;
  strokes_drawn_ = false;  // the reset cleared the traces
  RunParameters shown = *current_;
  for (std::string& rate : shown.rates) rate = Abridged(rate);
  Say("Started " + current_->technique + ": " + ParameterLine(shown));
}

void Classroom::OnTickEnd() {
  if (!recorder_.Recording() || form_.simulation().State().ClockMs <= kStopAfterMs) return;
  recorder_.End(FormulaMs());
  Say(delivered_ ? PhaseText() + "; " + delivery_notice_
                 : PhaseText() + ": the data was not delivered within 15 s");
}

void Classroom::OnPauseToggled(bool running) {
  const std::string at = " at " + ClockText();
  if (!form_.RunExists()) {
    Say(running ? "Clock running without a message; Start sends one" : "Clock stopped" + at);
  } else {
    Say((running ? "Continued" : "Paused") + at);
  }
}

void Classroom::OnRunReset() {
  strokes_drawn_ = false;
  const auto& markers = form_.Markers();
  const bool shown = std::any_of(markers.begin(), markers.end(), [](const MarkerState& m) { return m.visible; });
  Say(shown ? "Reset: the traces are cleared, the markers stay" : "Reset: the traces are cleared");
}

void Classroom::OnParameterChanged(BoxId box) {
  if (form_.RunExists() && recorder_.Recording()) changed_ = true;
  if (box.kind == BoxKind::Method) return;
  // The change cleared the traces and hid the markers; say so once an edit.
  const bool markers = std::exchange(markers_placed_, false);
  const bool strokes = std::exchange(strokes_drawn_, false);
  if (!markers && !strokes) return;
  if (box.kind == BoxKind::Rate && std::exchange(clearing_said_.at(box.link), true)) return;
  const std::string link = std::to_string(box.link + 1);
  const std::string what = box.kind == BoxKind::Size    ? std::string("The message size")
                           : box.kind == BoxKind::Delay ? "The delay of link " + link
                                                        : "The rate of link " + link;
  Say(what + " changed: " + (markers ? "traces and markers cleared" : "traces cleared") +
      (form_.TimerEnabled() ? ", the run goes on" : ""));
}

void Classroom::OnRateRefused(int link, const std::string& typed, const std::string& kept) {
  clearing_said_.at(link) = false;
  Say(Quoted(typed) + " is not a usable rate: link " + std::to_string(link + 1) + " keeps " +
          Abridged(kept),
      true);
}

void Classroom::OnRateTaken(int link, const std::string& text, bool changed) {
  clearing_said_.at(link) = false;
  if (!changed) return;
  if (!ReadsWhole(text)) {
    Say(ReadingNote(text), true);
  } else if (rate_notice_) {
    Say("Link " + std::to_string(link + 1) + " takes the rate " + text);
  }
}

void Classroom::OnDraw(const Stroke& /*stroke*/) { strokes_drawn_ = true; }

void Classroom::OnCompletion(const Completion& completion) {
  markers_placed_ = true;
  status_.NoteMarker(completion.marker, FormulaMs(), current_ && !DataPending());
  if (!recorder_.Recording() || delivered_ || DataPending()) return;
  delivered_ = true;
  results_.insert(results_.begin(), RunResult{*current_, completion.clock_ms, FormulaMs(), changed_});
  const std::string first = status_.FirstDelivered();
  delivery_notice_ = CompletionNotice(results_.front()) + (first.empty() ? "" : ". " + first);
  if (readouts_hidden_) delivery_notice_ = current_->technique + ": delivered; the time shows once you have answered";
  Say(delivery_notice_);
}

void Classroom::OnBottleneck(std::int32_t /*clock_ms*/) {
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
  Say("The circuit runs at the slowest link's rate: " +
              std::string(links.size() > 1 ? "links " : "link ") + links + " lowered to " + rate);
}

}  // namespace switchsim
