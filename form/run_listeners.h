#pragma once

#include <cstddef>
#include <vector>

#include "form/run_listener.h"

namespace switchsim {

/// Tells every step of a run to each of several listeners, in the order they
/// were added. A listener may be added or removed while a step is being
/// told: one added then hears the next step, one removed no further step.
/// The listeners are borrowed; each must be removed before it is destroyed.
class RunListeners final : public RunListener {
 public:
  void Add(RunListener* listener);
  void Remove(RunListener* listener);
  void Clear();
  bool Empty() const;

  void OnRunStart() override;
  void OnTickEnd() override;
  void OnPauseToggled(bool running) override;
  void OnRunReset() override;
  void OnParameterChanged(BoxId box) override;
  void OnRateRefused(int link, const std::string& typed, const std::string& kept) override;
  void OnRateTaken(int link, const std::string& text, bool changed) override;
  void OnDraw(const Stroke& stroke) override;
  void OnCompletion(const Completion& completion) override;
  void OnUnitSetUp(int record) override;
  void OnTick(std::int32_t clock_ms, bool ascending) override;
  void OnStop(std::int32_t clock_ms) override;
  void OnGrant(std::int32_t clock_ms, int record, int link) override;
  void OnFree(std::int32_t clock_ms, int record, int link) override;
  void OnPass(std::int32_t clock_ms, int record, int link) override;
  void OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t kind) override;
  void OnBottleneck(std::int32_t clock_ms) override;

 private:
  template <typename Step>
  void Tell(Step step);

  std::vector<RunListener*> members_;  // null where one was removed while a step was told
  int telling_ = 0;                    // steps being told, one inside another
};

}  // namespace switchsim
