#include "simulation_session.h"

#include "numbers.h"
#include "trace_view.h"

namespace switchsim::robustness {

SimulationSession::World::World(std::uint64_t seed) : random(seed), simulation(view, random) {
  view.Attach(simulation);
  trace::LoadDefaults(view, simulation);
}

SimulationSession::SimulationSession(std::uint64_t seed)
    : world_(seed),
      checker_(world_.simulation, world_.view, [this] { return world_.view.Facts(); }) {}

void SimulationSession::PressStart(std::vector<std::string>& out) {
  Simulation& simulation = world_.simulation;
  simulation.ResetSimulation();
  checker_.NoteReset();
  out = checker_.CheckAfterReset();
  if (run_exists_ || !out.empty()) {
    run_exists_ = false;
    return;
  }
  simulation.SetUpTransfer();
  world_.view.SetTimerEnabled(true);
  run_exists_ = true;
  checker_.NoteRunStarted();
  out = checker_.Check();
}

void SimulationSession::SetRate(int link, const std::string& text, std::vector<std::string>& out) {
  world_.view.ChooseRate(link, text);
  out = checker_.Check();
}

// What the window does when editing of a rate box ends: an unusable text
// gives way to the last usable rate.
void SimulationSession::EndEditing(int link) {
  testing::MarkerView& view = world_.view;
  if (IsUsableRate(LeadingNumber(view.RateText(link)))) return;
  view.SetRateText(link, ShortestText(world_.simulation.State().SavedRates[link]));
}

std::vector<std::string> SimulationSession::Do(const Action& action) {
  testing::MarkerView& view = world_.view;
  std::vector<std::string> out;
  switch (action.kind) {
    case ActionKind::kPressStart:
      PressStart(out);
      return out;
    case ActionKind::kPressPause:
      view.SetTimerEnabled(!view.TimerEnabled());
      break;
    case ActionKind::kChooseRate:
    case ActionKind::kPasteRate:
      view.ChooseRate(action.link, action.text);
      break;
    case ActionKind::kChooseDelay:
      view.ChooseDelay(action.link, action.text);
      break;
    case ActionKind::kChooseSize:
      view.ChooseSize(action.text);
      break;
    case ActionKind::kChooseMethod:
      view.ChooseMethod(action.text);
      break;
    case ActionKind::kTypeRate:
      // Typing over a selection: the first key replaces the whole text.
      if (action.text.empty()) SetRate(action.link, "", out);
      for (const std::string& typed : TypedPrefixes(action.text)) {
        if (!out.empty()) return out;
        SetRate(action.link, typed, out);
      }
      return out;
    case ActionKind::kEnterRate:
    case ActionKind::kLeaveRate:
      EndEditing(action.link);
      break;
    case ActionKind::kTicks:
      for (int i = 0; i < action.ticks && view.TimerEnabled() && out.empty(); ++i) {
        world_.simulation.SimulationTick();
        checker_.NoteTick();
        out = checker_.Check();
      }
      return out;
  }
  return checker_.Check();
}

}  // namespace switchsim::robustness
