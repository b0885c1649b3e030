#include "form/run_listeners.h"

#include <algorithm>

namespace switchsim {

template <typename Step>
void RunListeners::Tell(Step step) {
  ++telling_;
  // Those added meanwhile wait for the next step.
  const std::size_t count = members_.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (members_[i] != nullptr) step(*members_[i]);
  }
  if (--telling_ == 0) std::erase(members_, nullptr);
}

void RunListeners::Add(RunListener* listener) {
  if (listener != nullptr) members_.push_back(listener);
}

void RunListeners::Remove(RunListener* listener) {
  const auto found = std::find(members_.begin(), members_.end(), listener);
  if (found == members_.end()) return;
  if (telling_ > 0) {
    *found = nullptr;
  } else {
    members_.erase(found);
  }
}

void RunListeners::Clear() {
  for (RunListener*& member : members_) member = nullptr;
  if (telling_ == 0) members_.clear();
}

bool RunListeners::Empty() const {
  return std::none_of(members_.begin(), members_.end(), [](RunListener* m) { return m != nullptr; });
}

void RunListeners::OnRunStart() {
  Tell([](RunListener& l) { l.OnRunStart(); });
}
void RunListeners::OnTickEnd() {
  Tell([](RunListener& l) { l.OnTickEnd(); });
}
void RunListeners::OnPauseToggled(bool running) {
  Tell([=](RunListener& l) { l.OnPauseToggled(running); });
}
void RunListeners::OnRunReset() {
  Tell([](RunListener& l) { l.OnRunReset(); });
}
void RunListeners::OnParameterChanged(BoxId box) {
  Tell([=](RunListener& l) { l.OnParameterChanged(box); });
}
void RunListeners::OnRateRefused(int link, const std::string& typed, const std::string& kept) {
  Tell([&](RunListener& l) { l.OnRateRefused(link, typed, kept); });
}
void RunListeners::OnRateTaken(int link, const std::string& text, bool changed) {
  Tell([&](RunListener& l) { l.OnRateTaken(link, text, changed); });
}
void RunListeners::OnDraw(const Stroke& stroke) {
  Tell([&](RunListener& l) { l.OnDraw(stroke); });
}
void RunListeners::OnCompletion(const Completion& completion) {
  Tell([&](RunListener& l) { l.OnCompletion(completion); });
}
void RunListeners::OnUnitSetUp(int record) {
  Tell([=](RunListener& l) { l.OnUnitSetUp(record); });
}
void RunListeners::OnTick(std::int32_t clock_ms, bool ascending) {
  Tell([=](RunListener& l) { l.OnTick(clock_ms, ascending); });
}
void RunListeners::OnStop(std::int32_t clock_ms) {
  Tell([=](RunListener& l) { l.OnStop(clock_ms); });
}
void RunListeners::OnGrant(std::int32_t clock_ms, int record, int link) {
  Tell([=](RunListener& l) { l.OnGrant(clock_ms, record, link); });
}
void RunListeners::OnFree(std::int32_t clock_ms, int record, int link) {
  Tell([=](RunListener& l) { l.OnFree(clock_ms, record, link); });
}
void RunListeners::OnPass(std::int32_t clock_ms, int record, int link) {
  Tell([=](RunListener& l) { l.OnPass(clock_ms, record, link); });
}
void RunListeners::OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t kind) {
  Tell([=](RunListener& l) { l.OnArrive(clock_ms, record, link, kind); });
}
void RunListeners::OnBottleneck(std::int32_t clock_ms) {
  Tell([=](RunListener& l) { l.OnBottleneck(clock_ms); });
}

}  // namespace switchsim
