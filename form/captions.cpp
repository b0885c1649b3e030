#include "form/captions.h"

#include "form/lists.h"
#include "text/translation.h"

namespace switchsim::captions {

std::string WindowTitle() { return Tr("switchsim: message, circuit and packet switching"); }

std::string NodeName(int node) { return Tr(lists::kNodeNames.at(static_cast<std::size_t>(node))); }

std::string LinkName(int link) {
  // TRANSLATORS: a link by the nodes it joins: "Transmit to Router A".
  return Fill(Tr("{0} to {1}"), {NodeName(link), NodeName(link + 1)});
}

std::string RateToolTip(int link) {
  return Fill(Tr("Bit rate of the link {0}. At rate R the sender puts one block on the link every 100 / R ms "
                 "of clock (1.0: 100 ms a block). Pick a rate or type any number above 0."),
              {LinkName(link)});
}

std::string RateAccessibleName(int link) { return Fill(Tr("Bit rate, {0}"), {LinkName(link)}); }

std::string DelayToolTip(int link) {
  return Fill(Tr("Delay of the link {0}. With delay d the first bit crosses the link in 5 × d ms of clock "
                 "(50: 250 ms)."),
              {LinkName(link)});
}

std::string DelayAccessibleName(int link) { return Fill(Tr("Delay, {0}"), {LinkName(link)}); }

std::string TraceToolTip(int link) {
  return Fill(Tr("Time-space trace of the link {0}: across, the way from {1} to {2}; down, time (one pixel "
                 "is 30 ms of clock). Each unit on the link adds a stroke every tick."),
              {LinkName(link), NodeName(link), NodeName(link + 1)});
}

std::string TraceAccessibleName(int link) { return Fill(Tr("Trace, {0}"), {LinkName(link)}); }

std::string NodeLineAccessibleName(int node) { return Fill(Tr("Node line, {0}"), {NodeName(node)}); }

std::string MethodToolTip() {
  return Tr(
      "Technique. Message: the whole message is stored and forwarded at each "
      "router. Circuit: a request sets up the path, its acknowledgement comes "
      "back, then the data streams through at the slowest link's rate. Packet: "
      "packets of two blocks, each stored and forwarded on its own.");
}

std::string SizeToolTip() {
  return Tr(
      "Size of the message. A block is 20 units of size, so 300 "
      "makes 15 blocks.");
}

std::string StartToolTip() {
  return Tr(
      "Start sends one message with the chosen technique. "
      "During a run, Reset stops it and clears the traces; the "
      "completion markers stay for comparison. Key: F5.");
}

std::string PauseToolTip() {
  return Tr("Pause stops the clock; Cont lets it run on, 25 ms of clock a tick. Key: F6.");
}

}  // namespace switchsim::captions
