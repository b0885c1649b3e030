#include "simulation_session.h"

#include "form/lists.h"

namespace switchsim::robustness {

SimulationSession::World::World(std::uint64_t seed) : random(seed), form(view, random) {
  form.SetListener(&view);
  form.Form_Load();
}

SimulationSession::SimulationSession(std::uint64_t seed)
    : world_(seed), checker_(world_.form.simulation(), world_.form, [this] { return Facts(); }) {}

testing::WindowFacts SimulationSession::Facts() const {
  testing::WindowFacts facts = world_.view.Facts();
  facts.captions = {std::string(world_.form.Caption(0)), std::string(world_.form.Caption(1))};
  return facts;
}

void SimulationSession::PressStart(std::vector<std::string>& out) {
  const bool starts = world_.form.Caption(0) == lists::kStartCaption;
  world_.form.cmdStart_Click(0);
  checker_.NoteReset();
  if (!starts) {
    out = checker_.CheckAfterReset();
    return;
  }
  checker_.NoteRunStarted();
  out = checker_.Check();
}

void SimulationSession::SetRate(int link, const std::string& text, std::vector<std::string>& out) {
  world_.form.Choose(RateBox(link), text);
  out = checker_.Check();
}

std::vector<std::string> SimulationSession::Do(const Action& action) {
  FormLogic& form = world_.form;
  std::vector<std::string> out;
  switch (action.kind) {
    case ActionKind::kPressStart:
      PressStart(out);
      return out;
    case ActionKind::kPressPause:
      form.cmdStart_Click(1);
      break;
    case ActionKind::kChooseRate:
    case ActionKind::kPasteRate:
      form.Choose(RateBox(action.link), action.text);
      break;
    case ActionKind::kChooseDelay:
      form.Choose(DelayBox(action.link), action.text);
      break;
    case ActionKind::kChooseSize:
      form.Choose(kSizeBox, action.text);
      break;
    case ActionKind::kChooseMethod:
      form.Choose(kMethodBox, action.text);
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
      form.RateEditingFinished(action.link);
      break;
    case ActionKind::kTicks:
      for (int i = 0; i < action.ticks && form.TimerEnabled() && out.empty(); ++i) {
        form.Timer1_Timer();
        checker_.NoteTick();
        out = checker_.Check();
      }
      return out;
  }
  return checker_.Check();
}

}  // namespace switchsim::robustness
