#include "classroom.h"

#include "continuous_time.h"
#include "run_choice.h"
#include "lists.h"

namespace switchsim {
namespace {

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

// Whether a record holds data of `technique` that has not reached Receive.
// Circuit data passed on (kind 10) stays on its link for good and is done.
bool IsPendingData(const TransferUnit& unit, std::string_view technique) {
  if (unit.Status < 0) return false;
  if (technique == kMethodMessage) return unit.Kind == kKindMessage;
  if (technique == kMethodPacket) return unit.Kind == kKindPacket;
  if (technique == kMethodCircuit) return unit.Kind == kKindCircuitData;
  return false;
}

}  // namespace

Classroom::Classroom(FormLogic& form, Mt64Random& random, std::optional<std::uint64_t> first_seed,
                     SeedSource fresh)
    : form_(form), random_(random), seeds_(first_seed, std::move(fresh)), recorder_(form),
      status_(form) {
  form_.AddListener(this);
}

Classroom::~Classroom() { form_.RemoveListener(this); }

bool Classroom::CanStep() const {
  return form_.RunExists() && !form_.TimerEnabled() &&
         form_.simulation().State().ClockMs <= kStopAfterMs;
}

void Classroom::Step() {
  if (CanStep()) form_.Timer1_Timer();
}

double Classroom::FormulaMs() const {
  if (!current_) return 0.0;
  const RunParameters& p = *current_;
  return ContinuousCompletionMs(p.technique, ModelOfTexts(p.size, p.rates, p.delays));
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
  status_.Say("Started " + current_->technique + ": " + ParameterLine(*current_));
}

void Classroom::OnTickEnd() {
  if (!recorder_.Recording() || form_.simulation().State().ClockMs <= kStopAfterMs) return;
  recorder_.End(FormulaMs());
  status_.Say(delivered_ ? PhaseText() + "; " + CompletionNotice(results_.front()) : PhaseText());
}

void Classroom::OnPauseToggled(bool running) {
  const std::string at = " at " + ClockText();
  if (!form_.RunExists()) {
    status_.Say(running ? "Clock running without a message; Start sends one" : "Clock stopped" + at);
  } else {
    status_.Say((running ? "Continued" : "Paused") + at);
  }
}

void Classroom::OnRunReset() { status_.Say("Reset: the traces are cleared, the markers stay"); }

void Classroom::OnParameterChanged(BoxId box) {
  if (form_.RunExists() && recorder_.Recording()) changed_ = true;
  if (box.kind == BoxKind::Method || !markers_placed_) return;
  // The change cleared the traces and hid the markers.
  markers_placed_ = false;
  const std::string link = std::to_string(box.link + 1);
  const std::string what = box.kind == BoxKind::Size    ? std::string("The message size")
                           : box.kind == BoxKind::Delay ? "The delay of link " + link
                                                        : "The rate of link " + link;
  status_.Say(what + " changed: traces and markers cleared" +
              (form_.TimerEnabled() ? ", the run goes on" : ""));
}

void Classroom::OnRateRefused(int link, const std::string& typed, const std::string& kept) {
  status_.Say(Quoted(typed) + " is not a usable rate: link " + std::to_string(link + 1) + " keeps " +
              kept);
}

void Classroom::OnCompletion(const Completion& completion) {
  markers_placed_ = true;
  status_.NoteMarker(completion.marker, FormulaMs(), current_ && !DataPending());
  if (!recorder_.Recording() || delivered_ || DataPending()) return;
  delivered_ = true;
  results_.insert(results_.begin(), RunResult{*current_, completion.clock_ms, FormulaMs(), changed_});
  status_.Say(CompletionNotice(results_.front()));
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
  status_.Say("The circuit runs at the slowest link's rate: " +
              std::string(links.size() > 1 ? "links " : "link ") + links + " lowered to " + rate);
}

}  // namespace switchsim
