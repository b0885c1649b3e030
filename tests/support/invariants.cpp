#include "invariants.h"

#include <algorithm>
#include <cmath>

#include "simulation/numbers.h"

namespace switchsim::testing {
namespace {

constexpr std::array<std::int16_t, 6> kKinds = {kKindMessage,     kKindPacket,
                                                kKindCircuitData, kKindSetUpRequest,
                                                kKindAcknowledgement, kKindPassedOnData};
constexpr std::array<const char*, 3> kMarkerNames = {"message", "circuit", "packet"};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string RecordText(int f) { return "record " + std::to_string(f) + ": "; }

std::string ColourText(Rgb colour) {
  return std::to_string(RedOf(colour)) + "," + std::to_string(GreenOf(colour)) + "," +
         std::to_string(BlueOf(colour));
}

bool IsFlag(std::int16_t value) { return value == kTrue || value == kFalse; }

}  // namespace

void MarkerView::ShowMarker(Marker marker, double y_twips, Rgb colour) {
  RecordingView::ShowMarker(marker, y_twips, colour);
  MarkerFacts& facts = markers[static_cast<std::size_t>(marker)];
  facts.shown = true;
  facts.y_twips = y_twips;
}

void MarkerView::HideMarker(Marker marker) {
  RecordingView::HideMarker(marker);
  markers[static_cast<std::size_t>(marker)].shown = false;
}

WindowFacts MarkerView::Facts() const { return WindowFacts{markers, std::nullopt}; }

InvariantChecker::InvariantChecker(const Simulation& simulation, const SimulationView& view,
                                   FactsReader facts)
    : simulation_(simulation),
      view_(view),
      facts_(std::move(facts)),
      expected_clock_ms_(simulation.State().ClockMs),
      boxes_(ReadBoxes()) {
  if (facts_) markers_ = facts_().markers;
}

void InvariantChecker::NoteTick() {
  expected_clock_ms_ += view_.TimerIntervalMs();
  ++ticks_since_check_;
}

void InvariantChecker::NoteReset() {
  expected_clock_ms_ = 0;
  run_exists_ = false;
}

void InvariantChecker::NoteRunStarted() { run_exists_ = true; }

InvariantChecker::Boxes InvariantChecker::ReadBoxes() const {
  Boxes boxes;
  for (int k = 0; k < kLinkCount; ++k) {
    boxes.delays[k] = view_.DelayText(k);
    boxes.rates[k] = view_.RateText(k);
    boxes.rate_colours[k] = view_.RateColour(k);
  }
  boxes.size = view_.MessageSizeText();
  return boxes;
}

void InvariantChecker::CheckRecords(std::vector<std::string>& out) const {
  const SimulationState& state = simulation_.State();
  for (int f = 0; f < kRecordCount; ++f) {
    const TransferUnit& unit = state.UnitTable[f];
    if (unit.Status != kIdle && unit.Status != kWaiting && unit.Status != kOnLink) {
      out.push_back(RecordText(f) + "Status " + std::to_string(unit.Status) + " is not -1, 0 or 1");
    }
    if (unit.Link < 0 || unit.Link >= kLinkCount) {
      out.push_back(RecordText(f) + "Link " + std::to_string(unit.Link) + " is not 0, 1 or 2");
    }
    if (std::find(kKinds.begin(), kKinds.end(), unit.Kind) == kKinds.end()) {
      out.push_back(RecordText(f) + "Kind " + std::to_string(unit.Kind) +
                    " is not one of 0, 1, 2, 3, 4, 10");
    }
    if (std::isnan(unit.Head)) out.push_back(RecordText(f) + "Head is NaN");
    if (std::isnan(unit.Tail)) out.push_back(RecordText(f) + "Tail is NaN");
  }
  for (int k = 0; k < kLinkSlots; ++k) {
    if (!IsFlag(state.LinkBusy[k])) {
      out.push_back("LinkBusy[" + std::to_string(k) + "] is " + std::to_string(state.LinkBusy[k]) +
                    ", not a flag");
    }
  }
  if (!IsFlag(state.DataReleased)) {
    out.push_back("DataReleased is " + std::to_string(state.DataReleased) + ", not a flag");
  }
}

void InvariantChecker::CheckClock(std::vector<std::string>& out) const {
  const std::int32_t clock = simulation_.State().ClockMs;
  if (clock < 0) out.push_back("ClockMs is negative: " + std::to_string(clock));
  if (clock != expected_clock_ms_) {
    out.push_back("ClockMs is " + std::to_string(clock) + ", but the ticks since the last reset make " +
                  std::to_string(expected_clock_ms_));
  }
}

void InvariantChecker::CheckSavedRates(std::vector<std::string>& out) const {
  for (int k = 0; k < kLinkCount; ++k) {
    const double rate = simulation_.State().SavedRates[k];
    if (!IsUsableRate(rate)) {
      out.push_back("SavedRates[" + std::to_string(k) + "] is " + ShortestText(rate) +
                    ", not a usable rate");
    }
  }
}

void InvariantChecker::CheckCaptions(const WindowFacts& facts, std::vector<std::string>& out) const {
  if (!facts.captions) return;
  const auto& [start, pause] = *facts.captions;
  if (start != "Start" && start != "Reset") {
    out.push_back("cmdStart(0) reads " + Quoted(start) + ", not \"Start\" or \"Reset\"");
  }
  if (pause != "Pause" && pause != "Cont") {
    out.push_back("cmdStart(1) reads " + Quoted(pause) + ", not \"Pause\" or \"Cont\"");
  }
  if ((start == "Start") == run_exists_) {
    out.push_back(std::string("cmdStart(0) reads ") + Quoted(start) + " while " +
                  (run_exists_ ? "a run exists" : "no run exists"));
  }
}

void InvariantChecker::CheckMarkers(const WindowFacts& facts, const Boxes& boxes,
                                    std::vector<std::string>& out) {
  if (!facts.markers) return;
  const auto& markers = *facts.markers;

  // A change handler acted when a delay or size text changed, or a rate text
  // changed while its box was black before and after: a red box ignores it.
  bool handler_acted = boxes.size != boxes_.size;
  for (int k = 0; k < kLinkCount; ++k) {
    handler_acted = handler_acted || boxes.delays[k] != boxes_.delays[k] ||
                    (boxes.rates[k] != boxes_.rates[k] && boxes.rate_colours[k] == kBlack &&
                     boxes_.rate_colours[k] == kBlack);
  }
  // A tick may complete a unit after the change, and ticks change no box a handler acts on.
  if (handler_acted && ticks_since_check_ == 0) {
    for (std::size_t m = 0; m < markers.size(); ++m) {
      if (markers[m].shown) {
        out.push_back(std::string("the ") + kMarkerNames[m] +
                      " marker is shown after a box's change handler acted");
      }
    }
  }

  const std::int32_t clock = simulation_.State().ClockMs;
  const int interval = view_.TimerIntervalMs();
  for (std::size_t m = 0; m < markers.size(); ++m) {
    const MarkerFacts& now = markers[m];
    const bool placed = now.shown && markers_ &&
                        (!(*markers_)[m].shown || (*markers_)[m].y_twips != now.y_twips);
    if (!placed) continue;
    // Placed by a completion in one of the ticks since the last check.
    bool at_a_completion = false;
    for (int j = 0; j < ticks_since_check_ && !at_a_completion; ++j) {
      at_a_completion = now.y_twips == MarkerYTwips(clock - j * interval);
    }
    if (!at_a_completion) {
      out.push_back(std::string("the ") + kMarkerNames[m] + " marker was placed at " +
                    ShortestText(now.y_twips) + " twips, not at " +
                    ShortestText(MarkerYTwips(clock)) + " for the completion at " +
                    std::to_string(clock) + " ms" +
                    (ticks_since_check_ == 0 ? " (and no tick happened)" : ""));
    }
  }
  markers_ = markers;
}

std::vector<std::string> InvariantChecker::Check() {
  std::vector<std::string> out;
  CheckRecords(out);
  CheckClock(out);
  CheckSavedRates(out);
  const Boxes boxes = ReadBoxes();
  if (facts_) {
    const WindowFacts facts = facts_();
    CheckCaptions(facts, out);
    CheckMarkers(facts, boxes, out);
  }
  boxes_ = boxes;
  ticks_since_check_ = 0;
  return out;
}

std::vector<std::string> InvariantChecker::CheckAfterReset() {
  std::vector<std::string> out = Check();
  const SimulationState& state = simulation_.State();
  for (int f = 0; f < kRecordCount; ++f) {
    if (state.UnitTable[f].Status != kIdle) out.push_back(RecordText(f) + "not idle after a reset");
  }
  for (int k = 0; k < kLinkSlots; ++k) {
    if (state.LinkBusy[k] != kFalse) {
      out.push_back("link " + std::to_string(k) + " is busy after a reset");
    }
  }
  if (state.DataReleased != kFalse) out.push_back("DataReleased is set after a reset");
  if (view_.TimerEnabled()) out.push_back("the timer runs after a reset");
  for (int k = 0; k < kLinkCount; ++k) {
    const std::string link = "link " + std::to_string(k) + ": ";
    const std::string saved = ShortestText(state.SavedRates[k]);
    if (view_.RateText(k) != saved) {
      out.push_back(link + "the rate box shows " + Quoted(view_.RateText(k)) +
                    " after a reset, not the saved rate " + Quoted(saved));
    }
    if (view_.RateColour(k) != kBlack) {
      out.push_back(link + "the rate box is " + ColourText(view_.RateColour(k)) +
                    " after a reset, not black");
    }
    if (view_.RateLabelColour(k) != kBlack) {
      out.push_back(link + "the Bit-Rate label is " + ColourText(view_.RateLabelColour(k)) +
                    " after a reset, not black");
    }
  }
  return out;
}

std::string Describe(const std::vector<std::string>& violations) {
  std::string text;
  for (const std::string& violation : violations) text += violation + "\n";
  return text;
}

}  // namespace switchsim::testing
