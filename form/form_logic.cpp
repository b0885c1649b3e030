#include "form/form_logic.h"

#include "look/layout.h"
#include "simulation/numbers.h"

namespace switchsim {

FormLogic::FormLogic(FormSurface& surface, RandomSource& random)
    : surface_(surface), simulation_(*this, random) {}

void FormLogic::Form_Load() {
  for (int k = 0; k < kLinkCount; ++k) {
    surface_.FillList(DelayBox(k), lists::kDelayItems);
    Choose(DelayBox(k), lists::kDefaultDelay);
    surface_.FillList(RateBox(k), lists::kRateItems);
    Choose(RateBox(k), lists::kDefaultRate);
    if (k == 1) Choose(RateBox(k), lists::kDefaultMiddleRate);
    simulation_.RecordRate(k);
  }
  surface_.FillList(kMethodBox, lists::kMethodItems);
  Choose(kMethodBox, lists::kDefaultMethod);
  surface_.FillList(kSizeBox, lists::kSizeItems);
  Choose(kSizeBox, lists::kDefaultSize);
  simulation_.ResetSimulation();
}

void FormLogic::cmdStart_Click(int index) {
  if (index < 0 || index >= static_cast<int>(captions_.size())) return;
  if (captions_[index] == lists::kStartCaption) {
    if (start_gate_ != nullptr && start_gate_->HoldsStart()) return;
    SetCaption(index, lists::kResetCaption);
    // The timer is about to run: a "Cont" left from pausing the empty clock
    // would offer the opposite of what the button does.
    SetCaption(1, lists::kPauseCaption);
    simulation_.ResetSimulation();
    listeners_.OnRunStart();
    simulation_.SetUpTransfer();
    SetTimerEnabled(true);
  } else if (index == 0) {
    SetCaption(0, lists::kStartCaption);
    SetCaption(1, lists::kPauseCaption);
    simulation_.ResetSimulation();
    listeners_.OnRunReset();
  } else {
    SetTimerEnabled(!timer_enabled_);
    SetCaption(1, timer_enabled_ ? lists::kPauseCaption : lists::kContCaption);
    listeners_.OnPauseToggled(timer_enabled_);
  }
}

void FormLogic::Timer1_Timer() {
  simulation_.SimulationTick();
  listeners_.OnTickEnd();
}

void FormLogic::BoxChanged(BoxId box) {
  switch (box.kind) {
    case BoxKind::Rate:
      // A red box shows a rate the circuit rule wrote, not one the user chose.
      if (rate_colours_.at(box.link) == kRed) return;
      simulation_.RecordRate(box.link);
      ClearTraces();
      break;
    case BoxKind::Delay:
    case BoxKind::Size:
      ClearTraces();
      break;
    case BoxKind::Method:
      break;  // choosing a technique clears nothing
  }
  listeners_.OnParameterChanged(box);
}

void FormLogic::RateEditingFinished(int link) {
  const std::string typed = RateText(link);
  std::string& kept = kept_rate_texts_.at(link);
  if (IsUsableRate(LeadingNumber(typed))) {
    const bool changed = typed != kept;
    kept = typed;
    listeners_.OnRateTaken(link, typed, changed);
    return;
  }
  if (kept.empty()) kept = ShortestText(simulation_.State().SavedRates.at(link));
  const std::string restored = kept;
  Choose(RateBox(link), restored);
  listeners_.OnRateRefused(link, typed, restored);
}

void FormLogic::ClearTraces() {
  for (const Marker marker : {Marker::Message, Marker::Circuit, Marker::Packet}) {
    markers_.at(static_cast<std::size_t>(marker)).visible = false;
    surface_.HideMarker(marker);
  }
  for (int k = 0; k < kLinkCount; ++k) surface_.ClearTrace(k);
}

void FormLogic::Choose(BoxId box, std::string_view text) {
  const std::string before = surface_.BoxText(box);
  surface_.SetBoxText(box, text);
  const std::string after = surface_.BoxText(box);
  if (after != before) BoxChanged(box);
  // A rate chosen whole is what a later refusal brings back.
  if (box.kind == BoxKind::Rate && IsUsableRate(LeadingNumber(after))) {
    kept_rate_texts_.at(box.link) = after;
  }
}

void FormLogic::SetListener(RunListener* listener) {
  listeners_.Clear();
  AddListener(listener);
}

void FormLogic::AddListener(RunListener* listener) {
  listeners_.Add(listener);
  simulation_.SetObserver(&listeners_);
}

void FormLogic::RemoveListener(RunListener* listener) { listeners_.Remove(listener); }

void FormLogic::SetCaption(int button, std::string_view caption) {
  captions_.at(button) = caption;
  surface_.SetCaption(button, caption);
}

std::string FormLogic::MethodText() const { return surface_.BoxText(kMethodBox); }
std::string FormLogic::MessageSizeText() const { return surface_.BoxText(kSizeBox); }
std::string FormLogic::DelayText(int link) const { return surface_.BoxText(DelayBox(link)); }
std::string FormLogic::RateText(int link) const { return surface_.BoxText(RateBox(link)); }

void FormLogic::SetRateText(int link, std::string_view text) { Choose(RateBox(link), text); }

void FormLogic::SetRateColour(int link, Rgb colour) {
  rate_colours_.at(link) = colour;
  surface_.SetRateColour(link, colour);
}

void FormLogic::SetRateLabelColour(int link, Rgb colour) {
  label_colours_.at(link) = colour;
  surface_.SetRateLabelColour(link, colour);
}

void FormLogic::ClearTrace(int link) { surface_.ClearTrace(link); }

void FormLogic::DrawUnit(const Stroke& stroke) {
  const TraceScale scale = surface_.ScaleOf(stroke.link);
  // The trace's scale is single precision, and so are the stroke's ends.
  float xh = static_cast<float>(scale.width * stroke.head + scale.left);
  float xt = static_cast<float>(scale.width * stroke.tail + scale.left);
  if (!stroke.forward) {
    xh = scale.width - xh;
    xt = scale.width - xt;
  }
  const double y = stroke.clock_ms / layout::kMsPerTraceTwip;
  surface_.DrawLine(stroke.link, xt, y, xh, y, stroke.colour);
  listeners_.OnDraw(stroke);
}

void FormLogic::UnitCompleted(const Arrival& arrival) {
  const auto marker = MarkerFor(MethodText(), arrival.kind);
  if (!marker) return;
  const Completion completion{arrival.record, *marker, arrival.clock_ms,
                              MarkerYTwips(arrival.clock_ms), arrival.colour};
  markers_.at(static_cast<std::size_t>(completion.marker)) =
      MarkerState{true, completion.clock_ms, completion.y_twips};
  surface_.ShowMarker(completion.marker, completion.y_twips, completion.colour);
  listeners_.OnCompletion(completion);
}

void FormLogic::SetTimerEnabled(bool enabled) {
  timer_enabled_ = enabled;
  surface_.SetTimerRunning(enabled);
}

}  // namespace switchsim
