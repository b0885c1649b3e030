#include "formulas/reading_guide.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "simulation/constants.h"
#include "simulation/model_units.h"
#include "simulation/numbers.h"
#include "text/text_escape.h"
#include "text/translation.h"

namespace switchsim {
namespace {

std::string Number(double value) {
  if (!std::isfinite(value)) return "?";
  return ShortestText(std::round(value * 100) / 100);
}

// The terms of a formula, written with the model's own constants.
std::string Send(double blocks, double rate) {
  const std::string per_block = ShortestText(kMsPerBlockAtRateOne) + "/" + Number(rate);
  return blocks == 1 ? per_block : Number(blocks) + "\u00b7" + per_block;
}

std::string Propagate(double delay) { return ShortestText(kMsPerDelayUnit) + "\u00b7" + Number(delay); }

template <typename Term>
std::string Joined(int from, int to, Term term) {
  std::string text;
  for (int k = from; k <= to; ++k) {
    if (!text.empty()) text += " + ";
    text += term(k);
  }
  return text;
}

// "one block", "3 blocks".
std::string BlocksText(int blocks) { return Fill(TrN("one block", "{0} blocks", blocks), {std::to_string(blocks)}); }

Formula MessageFormula(const LinkModel& m, int message_blocks) {
  const int header = m.packeting.header_blocks;
  const int blocks = MessageUnitBlocks(message_blocks, m.packeting);
  Formula f{std::string(kMethodMessage),
            header == 0 ? "T = \u03a3<sub>k</sub> (B\u00b7100/R<sub>k</sub> + 5\u00b7d<sub>k</sub>)"
                        : "T = \u03a3<sub>k</sub> ((B + h)\u00b7100/R<sub>k</sub> + 5\u00b7d<sub>k</sub>), " +
                              Fill(Tr("with a header of h = {0}"), {BlocksText(header)}),
            "", 0.0};
  f.filled_in = Joined(0, kLinkCount - 1, [&](int k) {
    return "(" + Send(blocks, m.rates[k]) + " + " + Propagate(m.delays[k]) + ")";
  });
  for (int k = 0; k < kLinkCount; ++k) f.ms += SendMs(m.rates[k], blocks) + CrossMs(m.delays[k]);
  return f;
}

Formula CircuitFormula(const LinkModel& m, int blocks) {
  Formula f{std::string(kMethodCircuit),
            "T = \u03a3<sub>k</sub> 2\u00b7(100/R<sub>k</sub> + 5\u00b7d<sub>k</sub>) + "
            "B\u00b7100/R<sub>min</sub> + \u03a3<sub>k</sub> 5\u00b7d<sub>k</sub>",
            "", 0.0};
  const double slowest = *std::min_element(m.rates.begin(), m.rates.end());
  f.filled_in = Joined(0, kLinkCount - 1, [&](int k) {
                  return "2\u00b7(" + Send(1, m.rates[k]) + " + " + Propagate(m.delays[k]) + ")";
                }) +
                " + " + Send(blocks, slowest) + " + " +
                Joined(0, kLinkCount - 1, [&](int k) { return Propagate(m.delays[k]); });
  for (int k = 0; k < kLinkCount; ++k) {
    f.ms += 2 * (SendMs(m.rates[k], 1) + CrossMs(m.delays[k])) + CrossMs(m.delays[k]);
  }
  f.ms += SendMs(slowest, blocks);
  return f;
}

// Packets leave one after another and are stored and forwarded;
// the slowest link they cross sets the pace of those that follow the first.
Formula PacketFormula(const LinkModel& m, int blocks) {
  const std::vector<std::int16_t> split = PacketBlocks(blocks, m.packeting);
  const int packets = static_cast<int>(split.size());
  const bool single_last = packets > 0 && split.back() < split.front();
  // b counts a packet's header too.
  const std::string header_note =
      m.packeting.header_blocks == 0
          ? ""
          : Fill(Tr(", b counting the packet's header of {0}"), {BlocksText(m.packeting.header_blocks)});
  Formula f{std::string(kMethodPacket), "", "", 0.0};
  if (packets < 1) {
    f.symbols = Tr("T = 0 (no packets)");
    f.filled_in = "0";
    return f;
  }
  if (!single_last || packets == 1) {
    const int size = split.back();
    const double slowest = *std::min_element(m.rates.begin(), m.rates.end());
    f.symbols = "T = \u03a3<sub>k</sub> (b\u00b7100/R<sub>k</sub> + 5\u00b7d<sub>k</sub>) + "
                "(n \u2212 1)\u00b7b\u00b7100/R<sub>min</sub>, " + Tr("with n packets of b blocks") + header_note;
    f.filled_in = Joined(0, kLinkCount - 1, [&](int k) {
                    return "(" + Send(size, m.rates[k]) + " + " + Propagate(m.delays[k]) + ")";
                  }) +
                  " + " + Number(packets - 1) + "\u00b7" + Send(size, slowest);
    for (int k = 0; k < kLinkCount; ++k) f.ms += SendMs(m.rates[k], size) + CrossMs(m.delays[k]);
    f.ms += (packets - 1) * SendMs(slowest, size);
    return f;
  }
  // The last packet is smaller: the n - 1 full packets cross links 1 to j,
  // the slowest of those sets their pace, and the last packet crosses links
  // j to 3; the j that takes longest decides.
  const int full = split.front();
  const int last = split.back();
  const std::string b = std::to_string(full);
  const std::string last_send = last == 1 ? "100" : std::to_string(last) + "\u00b7100";
  f.symbols =
      "T = \u03a3<sub>k</sub> 5\u00b7d<sub>k</sub> + max<sub>j</sub> (\u03a3<sub>k\u2264j</sub> " + b +
      "\u00b7100/R<sub>k</sub> + (n \u2212 2)\u00b7" + b +
      "\u00b7100/min<sub>k\u2264j</sub> R<sub>k</sub> + \u03a3<sub>k\u2265j</sub> " + last_send +
      "/R<sub>k</sub>), " + Fill(Tr("with n packets, the last of {0}"), {BlocksText(last)}) + header_note;
  double longest = -std::numeric_limits<double>::infinity();
  int best = 0;
  for (int j = 0; j < kLinkCount; ++j) {
    double ms = 0.0;
    double slowest = m.rates[0];
    for (int k = 0; k <= j; ++k) {
      ms += SendMs(m.rates[k], full);
      slowest = std::min(slowest, m.rates[k]);
    }
    ms += (packets - 2) * SendMs(slowest, full);
    for (int k = j; k < kLinkCount; ++k) ms += SendMs(m.rates[k], last);
    if (ms > longest) longest = ms, best = j;
  }
  const double pace = *std::min_element(m.rates.begin(), m.rates.begin() + best + 1);
  f.filled_in = Joined(0, kLinkCount - 1, [&](int k) { return Propagate(m.delays[k]); }) + " + (" +
                Joined(0, best, [&](int k) { return Send(full, m.rates[k]); }) + " + " +
                Number(packets - 2) + "\u00b7" + Send(full, pace) + " + " +
                Joined(best, kLinkCount - 1, [&](int k) { return Send(last, m.rates[k]); }) + ")";
  for (int k = 0; k < kLinkCount; ++k) f.ms += CrossMs(m.delays[k]);
  f.ms += longest;
  return f;
}

}  // namespace

Formula FormulaOf(std::string_view technique, const LinkModel& model) {
  const int blocks = BlocksForSize(model.size);
  Formula f{std::string(technique), "", "", std::numeric_limits<double>::quiet_NaN()};
  if (technique == kMethodMessage) f = MessageFormula(model, blocks);
  if (technique == kMethodCircuit) f = CircuitFormula(model, blocks);
  if (technique == kMethodPacket) f = PacketFormula(model, blocks);
  f.filled_in = PeopleNumber(f.filled_in);
  return f;
}

namespace {

// "two blocks", or "4 blocks, each with a header of one block".
std::string PacketSizeText(const Packeting& packeting) {
  const std::string packet = packeting.packet_blocks == 2 ? Tr("two blocks") : BlocksText(packeting.packet_blocks);
  if (packeting.header_blocks == 0) return packet;
  return Fill(Tr("{0}, each with a header of {1} (a message carries one too)"),
              {packet, BlocksText(packeting.header_blocks)});
}

}  // namespace

std::string ReadingGuideHtml(const LinkModel& model, bool filled_in) {
  const auto heading = [](const std::string& text) { return "<h3>" + text + "</h3>"; };
  const auto paragraph = [](const std::string& text) { return "<p>" + text + "</p>"; };
  const auto item = [](const std::string& text) { return "<li>" + text + "</li>"; };
  std::string html =
      heading(Tr("Axes and scales")) +
      paragraph(Tr("Each trace is one link: Transmit to Router A, Router A to Router B, Router B to "
                   "Receive. Across a trace runs the way along the link, from its sender on the left to its "
                   "receiver on the right; a unit travelling back is drawn from the right. Down a trace runs "
                   "time: one pixel of trace height is 30 ms of clock, so a trace shows "
                   "13.38 s, and the time scale at the left marks every second.")) +
      paragraph(Tr("Every tick, 25 ms of clock, each unit on a link adds a stroke from its last bit to "
                   "its first bit. The strokes build slanted bands: the slope of a band's edge is the "
                   "link's delay (a delay d lets the first bit cross in 5\u00b7d ms), and its height is the "
                   "time the sender takes to put the unit on the link (at rate R one block takes 100/R ms; "
                   "a block is 20 units of message size). A gap between two links' bands is time spent "
                   "waiting at a router.")) +
      heading(Tr("Colours")) + "<ul>" + item(Tr("Green: the message, sent whole.")) +
      item(Tr("Blue: circuit data, streaming through the connected links.")) +
      item(Tr("Purple: the circuit's set-up request, and the release that follows the data.")) +
      item(Tr("Dark red: an acknowledgement, travelling back towards Transmit.")) +
      item(Tr("Other colours: packets, each in a colour of its own.")) +
      item(Tr("The short lines right of the traces mark when the data reached Receive, at the "
              "height of that time, in the colour of the unit that completed it; their labels name the "
              "technique (M, C, P) and the time. They stay, for comparison, until a link or the size "
              "changes.")) +
      item(Tr("A rate box and its \"Bit-Rate\" label in red: the circuit lowered the link's rate to "
              "that of the slowest link. Reset brings back the chosen rate.")) +
      "</ul>" + heading(Tr("The techniques")) + "<ul>" +
      item(Tr("Message: the whole message is stored and forwarded at each router.")) +
      item(Tr("Circuit: a request sets up the path, its acknowledgement comes back, then the data "
              "streams through all three links at the slowest link's rate, followed by a release.")) +
      item(Fill(Tr("Packet: the message is cut into packets of {0}, each stored and forwarded on its own, so "
                   "that the links work at the same time."),
                {PacketSizeText(model.packeting)})) +
      "</ul>" + heading(Tr("The same model without the tick")) +
      paragraph(Fill(Tr("With the boxes as they are now (R<sub>k</sub> the rates, d<sub>k</sub> the delays, B = "
                        "{0} blocks), each technique's data would reach Receive after T ms. The simulation, "
                        "which moves in steps of 25 ms, arrives a little later."),
                     {std::to_string(BlocksForSize(model.size))})) +
      "<table>";
  for (const std::string_view technique : {kMethodMessage, kMethodCircuit, kMethodPacket}) {
    const Formula f = FormulaOf(technique, model);
    const std::string name = "<tr><td><b>" + HtmlEscaped(Tr(f.technique)) + "</b></td><td>";
    if (!filled_in) {
      html += name + f.symbols + "<br>" + Tr("(the numbers show once you have answered)") + "</td></tr>";
      continue;
    }
    const double ms = ContinuousCompletionMs(technique, model);
    html += name + f.symbols + "<br>= " + HtmlEscaped(f.filled_in) + "<br>= " +
            PeopleNumber(Number(std::round(ms * 10) / 10)) + " ms</td></tr>";
  }
  return html + "</table>";
}

}  // namespace switchsim
