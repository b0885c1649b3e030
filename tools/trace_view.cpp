#include "trace_view.h"

namespace switchsim::trace {

TraceView::TraceView() { rates_.fill("cmbBitRate"); }

void TraceView::ChooseSize(const std::string& text) {
  if (text == size_) return;
  size_ = text;
  if (simulation_ != nullptr) simulation_->ClearTraces();
}

void TraceView::ChooseDelay(int link, const std::string& text) {
  if (text == delays_[link]) return;
  delays_[link] = text;
  if (simulation_ != nullptr) simulation_->ClearTraces();
}

void TraceView::SetRateText(int link, std::string_view text) {
  if (text == rates_[link]) return;
  rates_[link] = std::string(text);
  if (simulation_ != nullptr) simulation_->RateBoxChanged(link);
}

void TraceView::DrawUnit(const Stroke& stroke) {
  if (on_draw) on_draw(stroke);
}

void TraceView::UnitCompleted(const Completion& completion) {
  if (on_complete) on_complete(completion);
}

void LoadDefaults(TraceView& view, Simulation& simulation) {
  for (int k = 0; k < kLinkCount; ++k) {
    view.ChooseDelay(k, std::string(kDefaultDelay));
    view.ChooseRate(k, std::string(kDefaultRate));
    if (k == 1) view.ChooseRate(k, std::string(kDefaultMiddleRate));
    simulation.RecordRate(k);
  }
  view.ChooseMethod(std::string(kDefaultMethod));
  view.ChooseSize(std::string(kDefaultSize));
  simulation.ResetSimulation();
}

}  // namespace switchsim::trace
