#include "run_log.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "lists.h"
#include "numbers.h"
#include "text_escape.h"

namespace switchsim {
namespace {

std::string HexColour(Rgb colour) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "#%06x", static_cast<unsigned>(colour & 0xffffffU));
  return text.data();
}

void AppendInteger(std::string& out, long long value) {
  std::array<char, 24> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
  out.append(text.data(), result.ptr);
}

std::string JsonString(std::string_view text) { return EscapedText(text, EscapeStyle::Json); }

template <std::size_t N>
std::string JsonStrings(const std::array<std::string, N>& texts) {
  std::string list = "[";
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) list += ',';
    list += JsonString(texts[i]);
  }
  return list + "]";
}

std::string_view KindName(std::int16_t kind, std::string_view technique) {
  switch (kind) {
    case kKindMessage: return "message";
    case kKindPacket: return technique == kMethodCircuit ? "release" : "packet";
    case kKindCircuitData:
    case kKindPassedOnData: return "circuit data";
    case kKindSetUpRequest: return "set-up request";
    case kKindAcknowledgement: return "acknowledgement";
    default: return "unknown";
  }
}

std::string LinkName(int link, bool forward) {
  const std::string_view from = lists::kNodeNames[forward ? link : link + 1];
  const std::string_view to = lists::kNodeNames[forward ? link + 1 : link];
  return std::string(from) + " \u2192 " + std::string(to);
}

std::string PadRight(std::string_view text, std::size_t width) {
  std::string padded(text);
  if (padded.size() < width) padded.append(width - padded.size(), ' ');
  return padded;
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

}  // namespace

std::string ParameterLine(const RunParameters& p) {
  return "size " + p.size + ", rates " + p.rates[0] + " / " + p.rates[1] + " / " + p.rates[2] +
         ", delays " + p.delays[0] + " / " + p.delays[1] + " / " + p.delays[2] + ", seed " +
         std::to_string(p.seed);
}

void RunLog::Start(const RunParameters& parameters) {
  if (json_) {
    out_ += "{\"event\":\"start\",\"technique\":" + JsonString(boxes_.MethodText()) +
            ",\"size\":" + JsonString(parameters.size) + ",\"rates\":" +
            JsonStrings(parameters.rates) + ",\"delays\":" + JsonStrings(parameters.delays) +
            ",\"seed\":" + std::to_string(parameters.seed) + "}\n";
    return;
  }
  out_ += boxes_.MethodText() + ", " + ParameterLine(parameters) + "\n";
  out_ += "clock ms  event        record  unit             link\n";
}

void RunLog::End(double continuous_ms) {
  if (!json_) return;
  out_ += "{\"event\":\"end\",\"technique\":" + JsonString(boxes_.MethodText()) +
          ",\"completed_ms\":" + (completed_ms_ ? std::to_string(*completed_ms_) : "null") +
          ",\"continuous_ms\":" + (std::isfinite(continuous_ms) ? ShortestText(continuous_ms) : "null") +
          "}\n";
}

void RunLog::OnUnitSetUp(int record) {
  const TransferUnit& unit = Unit(record);
  if (json_) {
    out_ += "{\"event\":\"unit\",\"record\":" + std::to_string(record) +
            ",\"kind\":" + std::to_string(unit.Kind) + ",\"blocks\":" + std::to_string(unit.Blocks) +
            ",\"colour\":" + JsonString(HexColour(unit.Colour)) + "}\n";
    return;
  }
  Row(simulation_.State().ClockMs, "set up", record,
      std::string(KindName(unit.Kind, boxes_.MethodText())), unit.Forward != kFalse, unit.Link,
      std::to_string(unit.Blocks) + (unit.Blocks == 1 ? " block, " : " blocks, ") +
          HexColour(unit.Colour));
}

void RunLog::OnTick(std::int32_t clock_ms, bool ascending) {
  if (!json_) return;
  // Written every tick, so appended piece by piece rather than built.
  out_ += "{\"event\":\"tick\",\"clock\":";
  AppendInteger(out_, clock_ms);
  out_ += ascending ? ",\"order\":\"ascending\"}\n" : ",\"order\":\"descending\"}\n";
}

void RunLog::OnStop(std::int32_t clock_ms) {
  if (json_) {
    out_ += "{\"event\":\"stop\",\"clock\":" + std::to_string(clock_ms) + "}\n";
    return;
  }
  Row(clock_ms, "stop", -1, "the timer stops itself");
}

void RunLog::OnGrant(std::int32_t clock_ms, int record, int link) {
  LinkEvent("grant", clock_ms, record, link, "takes the link");
}

void RunLog::OnFree(std::int32_t clock_ms, int record, int link) {
  LinkEvent("free", clock_ms, record, link, "last bit sent");
}

void RunLog::OnPass(std::int32_t clock_ms, int record, int link) {
  LinkEvent("pass", clock_ms, record, link, "first bit passed on");
}

void RunLog::OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t kind) {
  if (json_) {
    out_ += "{\"event\":\"arrive\",\"clock\":" + std::to_string(clock_ms) +
            ",\"record\":" + std::to_string(record) + ",\"link\":" + std::to_string(link) +
            ",\"kind\":" + std::to_string(kind) + "}\n";
    return;
  }
  Row(clock_ms, "arrive", record, std::string(KindName(kind, boxes_.MethodText())),
      Unit(record).Forward != kFalse, link, "whole unit arrived");
}

void RunLog::OnBottleneck(std::int32_t clock_ms) {
  const std::array<std::string, 3> rates = {boxes_.RateText(0), boxes_.RateText(1),
                                            boxes_.RateText(2)};
  if (json_) {
    out_ += "{\"event\":\"bottleneck\",\"clock\":" + std::to_string(clock_ms) +
            ",\"rates\":" + JsonStrings(rates) + "}\n";
    return;
  }
  Row(clock_ms, "bottleneck", -1, "rates now " + rates[0] + " / " + rates[1] + " / " + rates[2]);
}

void RunLog::OnDraw(const Stroke& stroke) {
  if (!json_) return;  // the table keeps to the steps; strokes are in the JSON log
  out_ += "{\"event\":\"draw\",\"clock\":";
  AppendInteger(out_, stroke.clock_ms);
  out_ += ",\"record\":";
  AppendInteger(out_, stroke.record);
  out_ += ",\"link\":";
  AppendInteger(out_, stroke.link);
  out_ += ",\"head\":";
  AppendShortestText(out_, stroke.head);
  out_ += ",\"tail\":";
  AppendShortestText(out_, stroke.tail);
  out_ += stroke.forward ? ",\"forward\":true,\"colour\":\"" : ",\"forward\":false,\"colour\":\"";
  out_ += HexColour(stroke.colour);
  out_ += "\"}\n";
}

void RunLog::OnCompletion(const Completion& completion) {
  completed_ms_ = completion.clock_ms;
  if (json_) {
    out_ += "{\"event\":\"complete\",\"clock\":" + std::to_string(completion.clock_ms) +
            ",\"record\":" + std::to_string(completion.record) + ",\"marker\":\"" +
            std::string(MarkerName(completion.marker)) + "\",\"y\":" +
            ShortestText(completion.y_twips) + ",\"colour\":" +
            JsonString(HexColour(completion.colour)) + "}\n";
    return;
  }
  Row(completion.clock_ms, "complete", completion.record,
      std::string(MarkerName(completion.marker)) + " marker at " +
          ShortestText(completion.y_twips) + " twips, " + HexColour(completion.colour));
}

void RunLog::LinkEvent(std::string_view name, std::int32_t clock_ms, int record, int link,
                       std::string_view what) {
  if (json_) {
    out_ += "{\"event\":\"" + std::string(name) + "\",\"clock\":" + std::to_string(clock_ms) +
            ",\"record\":" + std::to_string(record) + ",\"link\":" + std::to_string(link) + "}\n";
    return;
  }
  const TransferUnit& unit = Unit(record);
  Row(clock_ms, name, record, std::string(KindName(unit.Kind, boxes_.MethodText())),
      unit.Forward != kFalse, link, what);
}

void RunLog::Row(std::int32_t clock_ms, std::string_view event, int record, std::string_view unit,
                 bool forward, int link, std::string_view what) {
  Row(clock_ms, event, record, PadRight(unit, 17) + LinkName(link, forward) + ": " + std::string(what));
}

void RunLog::Row(std::int32_t clock_ms, std::string_view event, int record, std::string_view rest) {
  std::array<char, 48> head{};
  std::snprintf(head.data(), head.size(), "%8d  %-11s  ", static_cast<int>(clock_ms),
                std::string(event).c_str());
  out_ += head.data();
  out_ += record >= 0 ? PadLeft(std::to_string(record), 6) + "  " : std::string(8, ' ');
  out_ += std::string(rest) + "\n";
}

}  // namespace switchsim
