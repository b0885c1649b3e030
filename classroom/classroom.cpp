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
#include "form/shown_texts.h"
#include "text/translation.h"

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
  // The numbers are written as the rate box reads them, with a point.
  std::string with_point = text;
  if (const std::size_t comma = with_point.find(','); comma != std::string::npos) {
    with_point[comma] = '.';
    const double meant = LeadingNumber(with_point);
    if (meant != read && IsUsableRate(meant)) {
      return Fill(Tr("{0} is read as {1}; write {2} with a decimal point"),
                  {Quoted(text), ShortestText(read), ShortestText(meant)});
    }
  }
  return Fill(Tr("{0} is read as {1}"), {Quoted(text), ShortestText(read)});
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
  Say(Tr(kStartHeldNotice));
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
  const auto refusal = header ? ChooseHeader(text, choice) : ChoosePacket(text, choice);
  if (refusal) {
    Say(Fill(header ? Tr("Header size: {0}") : Tr("Packet size: {0}"), {*refusal}));
    return false;
  }
  if (choice.packeting == form_.simulation().packeting()) return true;
  form_.ChoosePacketing(choice.packeting);
  const int p = choice.packeting.packet_blocks;
  const int h = choice.packeting.header_blocks;
  Say(Fill(Tr("Packets of {0}, header {1}: from the next Start"), {BlocksCount(p), BlocksCount(h)}));
  return true;
}

std::optional<std::string> Classroom::StartRun(const RunParameters& p) {
  if (readouts_hidden_) return Tr(kStartHeldNotice);
  if (auto refusal = SetUpRun(p)) return refusal;
  form_.cmdStart_Click(0);
  return std::nullopt;
}

std::optional<std::string> Classroom::SetUpRun(const RunParameters& p) {
  if (RunParameters checked; ChooseSize(p.size, checked)) {
    return Fill(Tr("The size box has no {0}; the driver runs it: {1}"), {Abridged(p.size), TraceCommand(p)});
  }
  if (form_.RunExists()) form_.cmdStart_Click(0);  // Reset
  ChooseBoxes(form_, p);
  seeds_.SetNext(p.seed);
  return std::nullopt;
}

void Classroom::ClearTraces() { form_.ClearTraces(); }

std::string Classroom::MarkerText(Marker marker) const {
  if (!readouts_hidden_) return status_.MarkerText(marker);
  return Fill(Tr("{0} marker, its time hidden until you answer"),
              {ShownText(lists::kMethodItems.at(static_cast<std::size_t>(marker)))});
}

void Classroom::SayClock() {
  // The end names its own time.
  Say(Phase() == RunPhase::Ended ? PhaseText()
                                  : Fill(TrIn("the clock, then the run's state", "{0}, {1}"), {ClockText(), PhaseText()}));
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
  Say(Fill(Tr("Started {0}: {1}"), {ShownText(current_->technique), ParameterLine(shown)}));
}

void Classroom::OnTickEnd() {
  if (!recorder_.Recording() || form_.simulation().State().ClockMs <= kStopAfterMs) return;
  recorder_.End(FormulaMs());
  Say(delivered_ ? PhaseText() + "; " + delivery_notice_
                 : Fill(Tr("{0}: the data was not delivered within 15 s"), {PhaseText()}));
}

void Classroom::OnPauseToggled(bool running) {
  const std::string clock = ClockText();
  if (!form_.RunExists()) {
    Say(running ? Tr("Clock running without a message; Start sends one") : Fill(Tr("Clock stopped at {0}"), {clock}));
  } else {
    Say(Fill(running ? Tr("Continued at {0}") : Tr("Paused at {0}"), {clock}));
  }
}

void Classroom::OnRunReset() {
  strokes_drawn_ = false;
  const auto& markers = form_.Markers();
  const bool shown = std::any_of(markers.begin(), markers.end(), [](const MarkerState& m) { return m.visible; });
  Say(shown ? Tr("Reset: the traces are cleared, the markers stay") : Tr("Reset: the traces are cleared"));
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
  const std::string what = box.kind == BoxKind::Size    ? Tr("The message size")
                           : box.kind == BoxKind::Delay ? Fill(Tr("The delay of link {0}"), {link})
                                                        : Fill(Tr("The rate of link {0}"), {link});
  // TRANSLATORS: {0} is what changed: "The message size", "The rate of link 2".
  const std::string changed =
      form_.TimerEnabled() ? (markers ? Tr("{0} changed: traces and markers cleared, the run goes on")
                                      : Tr("{0} changed: traces cleared, the run goes on"))
                           : (markers ? Tr("{0} changed: traces and markers cleared") : Tr("{0} changed: traces cleared"));
  Say(Fill(changed, {what}));
}

void Classroom::OnRateRefused(int link, const std::string& typed, const std::string& kept) {
  clearing_said_.at(link) = false;
  Say(Fill(Tr("{0} is not a usable rate: link {1} keeps {2}"), {Quoted(typed), std::to_string(link + 1), Abridged(kept)}),
      true);
}

void Classroom::OnRateTaken(int link, const std::string& text, bool changed) {
  clearing_said_.at(link) = false;
  if (!changed) return;
  if (!ReadsWhole(text)) {
    Say(ReadingNote(text), true);
  } else if (rate_notice_) {
    Say(Fill(Tr("Link {0} takes the rate {1}"), {std::to_string(link + 1), text}));
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
  if (readouts_hidden_) {
    delivery_notice_ = Fill(Tr("{0}: delivered; the time shows once you have answered"), {ShownText(current_->technique)});
  }
  Say(delivery_notice_);
}

void Classroom::OnBottleneck(std::int32_t /*clock_ms*/) {
  unsigned lowered = 0;
  std::string links;
  std::string rate;
  for (int k = 0; k < kLinkCount; ++k) {
    if (form_.RateColour(k) != kRed) continue;
    lowered |= 1U << k;
    // TRANSLATORS: two links' numbers, or a list of them and one more: "1 and 2".
    links = links.empty() ? std::to_string(k + 1) : Fill(Tr("{0} and {1}"), {links, std::to_string(k + 1)});
    rate = form_.RateText(k);
  }
  if (lowered == 0 || lowered == lowered_links_) return;
  lowered_links_ = lowered;
  const bool several = (lowered & (lowered - 1)) != 0;
  Say(Fill(several ? Tr("The circuit runs at the slowest link's rate: links {0} lowered to {1}")
                   : Tr("The circuit runs at the slowest link's rate: link {0} lowered to {1}"),
           {links, rate}));
}

}  // namespace switchsim
