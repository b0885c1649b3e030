#include "records/run_log.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "simulation/numbers.h"
#include "text/json_writer.h"
#include "text/number_texts.h"
#include "records/unit_names.h"
#include "form/shown_texts.h"
#include "text/translation.h"

namespace switchsim {
namespace {

template <std::size_t N>
JsonWriter& Texts(JsonWriter& json, const std::array<std::string, N>& texts) {
  json.Open('[');
  for (const std::string& text : texts) json.Text(text);
  return json.Close(']');
}

// Padded by characters, not bytes, so that translated words line up too.
std::size_t Width(std::string_view text) {
  std::size_t width = 0;
  for (const char c : text) width += (c & 0xc0) != 0x80 ? 1 : 0;
  return width;
}

std::string PadRight(std::string_view text, std::size_t width) {
  std::string padded(text);
  if (Width(padded) < width) padded.append(width - Width(padded), ' ');
  return padded;
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

// A marker's row in the table, by Marker.
inline constexpr std::array<std::string_view, kTechniqueCount> kMarkerRows = {
    Mark("message marker at {0} twips, {1}"), Mark("circuit marker at {0} twips, {1}"),
    Mark("packet marker at {0} twips, {1}")};

// An event's name as the table shows it; the JSON log keeps the English name.
std::string ShownEvent(std::string_view event) {
  if (event == "set up") return TrIn("run log event", "set up");
  if (event == "stop") return TrIn("run log event", "stop");
  if (event == "grant") return TrIn("run log event", "grant");
  if (event == "free") return TrIn("run log event", "free");
  if (event == "pass") return TrIn("run log event", "pass");
  if (event == "arrive") return TrIn("run log event", "arrive");
  if (event == "bottleneck") return TrIn("run log event", "bottleneck");
  if (event == "complete") return TrIn("run log event", "complete");
  return std::string(event);
}

}  // namespace

std::string ParameterLine(const RunParameters& p) {
  const std::string rates = p.rates[0] + " / " + p.rates[1] + " / " + p.rates[2];
  const std::string delays = p.delays[0] + " / " + p.delays[1] + " / " + p.delays[2];
  const std::string seed = std::to_string(p.seed);
  // The form's own packeting goes unsaid, as it did before it could be chosen.
  if (p.packeting == Packeting{}) {
    return Fill(Tr("size {0}, rates {1}, delays {2}, seed {3}"), {p.size, rates, delays, seed});
  }
  return Fill(Tr("size {0}, rates {1}, delays {2}, packets of {3}, header {4}, seed {5}"),
              {p.size, rates, delays, BlocksCount(p.packeting.packet_blocks),
               std::to_string(p.packeting.header_blocks), seed});
}

void RunLog::Start(const RunParameters& parameters) {
  if (json_) {
    JsonWriter json(out_);
    json.Open('{').Key("event").Text("start").Key("technique").Text(boxes_.MethodText());
    json.Key("size").Text(parameters.size).Key("rates");
    Texts(json, parameters.rates).Key("delays");
    Texts(json, parameters.delays).Key("seed").Unsigned(parameters.seed);
    if (parameters.packeting != Packeting{}) {
      json.Key("packet").Integer(parameters.packeting.packet_blocks);
      json.Key("header").Integer(parameters.packeting.header_blocks);
    }
    json.Close('}').EndLine();
    return;
  }
  out_ += Fill(Tr("{0}, {1}"), {ShownText(boxes_.MethodText()), ParameterLine(parameters)}) + "\n";
  // TRANSLATORS: the heading of the run's table, over its columns: the clock
  // ends in column 8, the event starts in column 11, the record ends in
  // column 29, the unit starts in column 32 and the link in column 49.
  out_ += Tr("clock ms  event        record  unit             link") + "\n";
}

void RunLog::End(double continuous_ms) {
  if (!json_) return;
  JsonWriter json(out_);
  json.Open('{').Key("event").Text("end").Key("technique").Text(boxes_.MethodText());
  json.Key("completed_ms");
  if (completed_ms_) {
    json.Integer(*completed_ms_);
  } else {
    json.Null();
  }
  json.Key("continuous_ms").Number(continuous_ms).Close('}').EndLine();
}

void RunLog::OnUnitSetUp(int record) {
  const TransferUnit& unit = Unit(record);
  if (json_) {
    JsonWriter(out_).Open('{').Key("event").Text("unit").Key("record").Integer(record)
        .Key("kind").Integer(unit.Kind).Key("blocks").Integer(unit.Blocks)
        .Key("colour").Colour(unit.Colour).Close('}').EndLine();
    return;
  }
  Row(simulation_.State().ClockMs, "set up", record,
      Tr(UnitName(unit.Kind, boxes_.MethodText())), unit.Forward != kFalse, unit.Link,
      Fill(Tr("{0}, {1}"), {BlocksCount(unit.Blocks), HexColour(unit.Colour)}));
}

void RunLog::OnTick(std::int32_t clock_ms, bool ascending) {
  if (!json_) return;
  JsonWriter(out_).Open('{').Key("event").Text("tick").Key("clock").Integer(clock_ms)
      .Key("order").Text(ascending ? "ascending" : "descending").Close('}').EndLine();
}

void RunLog::OnStop(std::int32_t clock_ms) {
  if (json_) {
    JsonWriter(out_).Open('{').Key("event").Text("stop").Key("clock").Integer(clock_ms)
        .Close('}').EndLine();
    return;
  }
  Row(clock_ms, "stop", -1, Tr("the timer stops itself"));
}

void RunLog::OnGrant(std::int32_t clock_ms, int record, int link) {
  LinkEvent("grant", clock_ms, record, link, Tr("takes the link"));
}

void RunLog::OnFree(std::int32_t clock_ms, int record, int link) {
  LinkEvent("free", clock_ms, record, link, Tr("last bit sent"));
}

void RunLog::OnPass(std::int32_t clock_ms, int record, int link) {
  LinkEvent("pass", clock_ms, record, link, Tr("first bit passed on"));
}

void RunLog::OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t kind) {
  if (json_) {
    JsonWriter(out_).Open('{').Key("event").Text("arrive").Key("clock").Integer(clock_ms)
        .Key("record").Integer(record).Key("link").Integer(link).Key("kind").Integer(kind)
        .Close('}').EndLine();
    return;
  }
  Row(clock_ms, "arrive", record, Tr(UnitName(kind, boxes_.MethodText())),
      Unit(record).Forward != kFalse, link, Tr("whole unit arrived"));
}

void RunLog::OnBottleneck(std::int32_t clock_ms) {
  const std::array<std::string, 3> rates = {boxes_.RateText(0), boxes_.RateText(1),
                                            boxes_.RateText(2)};
  if (json_) {
    JsonWriter json(out_);
    json.Open('{').Key("event").Text("bottleneck").Key("clock").Integer(clock_ms).Key("rates");
    Texts(json, rates).Close('}').EndLine();
    return;
  }
  Row(clock_ms, "bottleneck", -1, Fill(Tr("rates now {0}"), {rates[0] + " / " + rates[1] + " / " + rates[2]}));
}

void RunLog::OnDraw(const Stroke& stroke) {
  if (!json_) return;  // the table keeps to the steps; strokes are in the JSON log
  if (later_) {
    kept_.push_back({out_.size(), stroke});
    return;
  }
  WriteDraw(out_, stroke);
}

void RunLog::WriteDraw(std::string& out, const Stroke& stroke) {
  JsonWriter(out).Open('{').Key("event").Text("draw").Key("clock").Integer(stroke.clock_ms)
      .Key("record").Integer(stroke.record).Key("link").Integer(stroke.link)
      .Key("head").Number(stroke.head).Key("tail").Number(stroke.tail)
      .Key("forward").Bool(stroke.forward).Key("colour").Colour(stroke.colour)
      .Close('}').EndLine();
}

std::string RunLog::WholeText() const {
  std::string whole;
  whole.reserve(out_.size() + kept_.size() * 128);
  std::size_t from = 0;
  for (const KeptStroke& kept : kept_) {
    whole.append(out_, from, kept.at - from);
    WriteDraw(whole, kept.stroke);
    from = kept.at;
  }
  whole.append(out_, from, std::string::npos);
  return whole;
}

void RunLog::OnCompletion(const Completion& completion) {
  completed_ms_ = completion.clock_ms;
  if (json_) {
    JsonWriter(out_).Open('{').Key("event").Text("complete").Key("clock").Integer(completion.clock_ms)
        .Key("record").Integer(completion.record).Key("marker").Text(MarkerName(completion.marker))
        .Key("y").Number(completion.y_twips).Key("colour").Colour(completion.colour)
        .Close('}').EndLine();
    return;
  }
  Row(completion.clock_ms, "complete", completion.record,
      Fill(Tr(kMarkerRows.at(static_cast<std::size_t>(completion.marker))),
           {PeopleNumber(ShortestText(completion.y_twips)), HexColour(completion.colour)}));
}

void RunLog::LinkEvent(std::string_view name, std::int32_t clock_ms, int record, int link,
                       std::string_view what) {
  if (json_) {
    JsonWriter(out_).Open('{').Key("event").Text(name).Key("clock").Integer(clock_ms)
        .Key("record").Integer(record).Key("link").Integer(link).Close('}').EndLine();
    return;
  }
  const TransferUnit& unit = Unit(record);
  Row(clock_ms, name, record, Tr(UnitName(unit.Kind, boxes_.MethodText())),
      unit.Forward != kFalse, link, what);
}

void RunLog::Row(std::int32_t clock_ms, std::string_view event, int record, std::string_view unit,
                 bool forward, int link, std::string_view what) {
  Row(clock_ms, event, record, PadRight(unit, 17) + ShownCrossingName(link, forward) + ": " + std::string(what));
}

void RunLog::Row(std::int32_t clock_ms, std::string_view event, int record, std::string_view rest) {
  std::array<char, 48> head{};
  std::snprintf(head.data(), head.size(), "%8d  ", static_cast<int>(clock_ms));
  out_ += head.data() + PadRight(ShownEvent(event), 11) + "  ";
  out_ += record >= 0 ? PadLeft(std::to_string(record), 6) + "  " : std::string(8, ' ');
  out_ += std::string(rest) + "\n";
}

}  // namespace switchsim
