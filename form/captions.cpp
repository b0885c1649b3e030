#include "form/captions.h"

#include "form/lists.h"

namespace switchsim::captions {

std::string WindowTitle() {
  return std::string("switchsim: message, circuit and packet switching");
}

std::string NodeName(int node) {
  return std::string(lists::kNodeNames.at(static_cast<std::size_t>(node)));
}

std::string LinkName(int link) { return NodeName(link) + " to " + NodeName(link + 1); }

std::string RateToolTip(int link) {
  return std::string("Bit rate of the link ") + LinkName(link) +
         ". At rate R the sender puts one block on the link every 100 / R ms "
         "of clock (1.0: 100 ms a block). Pick a rate or type any number above "
         "0.";
}

std::string RateAccessibleName(int link) { return std::string("Bit rate, ") + LinkName(link); }

std::string DelayToolTip(int link) {
  return std::string("Delay of the link ") + LinkName(link) +
         ". With delay d the first bit crosses the link in 5 × d ms of clock "
         "(50: 250 ms).";
}

std::string DelayAccessibleName(int link) { return std::string("Delay, ") + LinkName(link); }

std::string TraceToolTip(int link) {
  return std::string("Time-space trace of the link ") + LinkName(link) + ": across, the way from " +
         NodeName(link) + " to " + NodeName(link + 1) +
         "; down, time (one pixel is 30 ms of clock). Each unit on the link "
         "adds a stroke every tick.";
}

std::string TraceAccessibleName(int link) { return std::string("Trace, ") + LinkName(link); }

std::string NodeLineAccessibleName(int node) { return std::string("Node line, ") + NodeName(node); }

std::string MethodToolTip() {
  return std::string(
      "Technique. Message: the whole message is stored and forwarded at each "
      "router. Circuit: a request sets up the path, its acknowledgement comes "
      "back, then the data streams through at the slowest link's rate. Packet: "
      "packets of two blocks, each stored and forwarded on its own.");
}

std::string SizeToolTip() {
  return std::string(
      "Size of the message. A block is 20 units of size, so 300 "
      "makes 15 blocks.");
}

std::string StartToolTip() {
  return std::string(
      "Start sends one message with the chosen technique. "
      "During a run, Reset stops it and clears the traces; the "
      "completion markers stay for comparison. Key: F5.");
}

std::string PauseToolTip() {
  return std::string("Pause stops the clock; Cont lets it run on, 25 ms of clock a tick. Key: F6.");
}

}  // namespace switchsim::captions
