#include "captions.h"

#include "lists.h"

namespace switchsim::captions {

QString WindowTitle() {
  return QStringLiteral("switchsim: message, circuit and packet switching");
}

QString NodeName(int node) {
  const std::string_view name = lists::kNodeNames.at(static_cast<std::size_t>(node));
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString LinkName(int link) {
  return QStringLiteral("%1 to %2").arg(NodeName(link), NodeName(link + 1));
}

QString RateToolTip(int link) {
  return QStringLiteral(
             "Bit rate of the link %1. At rate R the sender puts one block on the link "
             "every 100 / R ms of clock (1.0: 100 ms a block). Pick a rate or type any "
             "number above 0.")
      .arg(LinkName(link));
}

QString RateAccessibleName(int link) {
  return QStringLiteral("Bit rate, %1").arg(LinkName(link));
}

QString DelayToolTip(int link) {
  return QStringLiteral(
             "Delay of the link %1. With delay d the first bit crosses the link in "
             "5 × d ms of clock (50: 250 ms).")
      .arg(LinkName(link));
}

QString DelayAccessibleName(int link) { return QStringLiteral("Delay, %1").arg(LinkName(link)); }

QString TraceToolTip(int link) {
  return QStringLiteral(
             "Time-space trace of the link %1: across, the way from %2 to %3; down, time "
             "(one pixel is 30 ms of clock). Each unit on the link adds a stroke every tick.")
      .arg(LinkName(link), NodeName(link), NodeName(link + 1));
}

QString TraceAccessibleName(int link) {
  return QStringLiteral("Trace, %1").arg(LinkName(link));
}

QString NodeLineAccessibleName(int node) {
  return QStringLiteral("Node line, %1").arg(NodeName(node));
}

QString MethodToolTip() {
  return QStringLiteral(
      "Technique. Message: the whole message is stored and forwarded at each router. "
      "Circuit: a request sets up the path, its acknowledgement comes back, then the data "
      "streams through at the slowest link's rate. Packet: packets of two blocks, each stored "
      "and forwarded on its own.");
}

QString SizeToolTip() {
  return QStringLiteral(
      "Size of the message. A block is 20 units of size, so 300 makes 15 blocks.");
}

QString StartToolTip() {
  return QStringLiteral(
      "Start sends one message with the chosen technique. During a run, Reset stops it and "
      "clears the traces; the completion markers stay for comparison.");
}

QString PauseToolTip() {
  return QStringLiteral(
      "Pause stops the clock; Cont lets it run on, 25 ms of clock a tick.");
}

}  // namespace switchsim::captions
