#include "trace_run.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

#include "continuous_time.h"
#include "numbers.h"
#include "random_source.h"
#include "simulation.h"
#include "trace_view.h"

namespace switchsim::trace {
namespace {

std::string HexColour(Rgb colour) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "#%06x", static_cast<unsigned>(colour & 0xffffffU));
  return text.data();
}

std::string JsonString(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20) {
      std::array<char, 8> escape{};
      std::snprintf(escape.data(), escape.size(), "\\u%04x", byte);
      quoted += escape.data();
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

template <std::size_t N>
std::string JsonStrings(const std::array<std::string, N>& texts) {
  std::string list = "[";
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) list += ',';
    list += JsonString(texts[i]);
  }
  return list + "]";
}

std::string_view MarkerName(Marker marker) {
  switch (marker) {
    case Marker::Message: return "message";
    case Marker::Circuit: return "circuit";
    case Marker::Packet: return "packet";
  }
  return "";
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

constexpr std::array<std::string_view, 4> kNodeNames = {"Transmit", "Router A", "Router B",
                                                        "Receive"};

std::string LinkName(int link, bool forward) {
  const std::string_view from = kNodeNames[forward ? link : link + 1];
  const std::string_view to = kNodeNames[forward ? link + 1 : link];
  return std::string(from) + " \u2192 " + std::string(to);
}

// Writes every step of one run, as JSON Lines or as rows of a table.
class RunLog final : public SimulationObserver {
 public:
  RunLog(const Simulation& simulation, const TraceView& view, bool json, std::string& out)
      : simulation_(simulation), view_(view), json_(json), out_(out) {}

  std::optional<std::int32_t> completed_ms;

  void Start(const Options& options, std::uint64_t seed) {
    if (json_) {
      out_ += "{\"event\":\"start\",\"technique\":" + JsonString(view_.MethodText()) +
              ",\"size\":" + JsonString(options.size) + ",\"rates\":" + JsonStrings(options.rates) +
              ",\"delays\":" + JsonStrings(options.delays) + ",\"seed\":" + std::to_string(seed) +
              "}\n";
      return;
    }
    out_ += view_.MethodText() + ", " + ParameterLine(options, seed) + "\n";
    out_ += "clock ms  event        record  unit             link\n";
  }

  void End() {
    if (json_) {
      out_ += "{\"event\":\"end\",\"technique\":" + JsonString(view_.MethodText()) +
              ",\"completed_ms\":" + (completed_ms ? std::to_string(*completed_ms) : "null") + "}\n";
    }
  }

  void OnUnitSetUp(int record) override {
    const TransferUnit& unit = Unit(record);
    if (json_) {
      out_ += "{\"event\":\"unit\",\"record\":" + std::to_string(record) +
              ",\"kind\":" + std::to_string(unit.Kind) + ",\"blocks\":" + std::to_string(unit.Blocks) +
              ",\"colour\":" + JsonString(HexColour(unit.Colour)) + "}\n";
      return;
    }
    Row(simulation_.State().ClockMs, "set up", record,
        std::string(KindName(unit.Kind, view_.MethodText())), unit.Forward != kFalse, unit.Link,
        std::to_string(unit.Blocks) + (unit.Blocks == 1 ? " block, " : " blocks, ") +
            HexColour(unit.Colour));
  }

  void OnTick(std::int32_t clock_ms, bool ascending) override {
    if (json_) {
      out_ += "{\"event\":\"tick\",\"clock\":" + std::to_string(clock_ms) + ",\"order\":\"" +
              (ascending ? "ascending" : "descending") + "\"}\n";
    }
  }

  void OnStop(std::int32_t clock_ms) override {
    if (json_) {
      out_ += "{\"event\":\"stop\",\"clock\":" + std::to_string(clock_ms) + "}\n";
      return;
    }
    Row(clock_ms, "stop", -1, "the timer stops itself");
  }

  void OnGrant(std::int32_t clock_ms, int record, int link) override {
    LinkEvent("grant", clock_ms, record, link, "takes the link");
  }
  void OnFree(std::int32_t clock_ms, int record, int link) override {
    LinkEvent("free", clock_ms, record, link, "last bit sent");
  }
  void OnPass(std::int32_t clock_ms, int record, int link) override {
    LinkEvent("pass", clock_ms, record, link, "first bit passed on");
  }

  void OnArrive(std::int32_t clock_ms, int record, int link, std::int16_t kind) override {
    if (json_) {
      out_ += "{\"event\":\"arrive\",\"clock\":" + std::to_string(clock_ms) +
              ",\"record\":" + std::to_string(record) + ",\"link\":" + std::to_string(link) +
              ",\"kind\":" + std::to_string(kind) + "}\n";
      return;
    }
    Row(clock_ms, "arrive", record, std::string(KindName(kind, view_.MethodText())), Unit(record).Forward != kFalse, link, "whole unit arrived");
  }

  void OnBottleneck(std::int32_t clock_ms) override {
    const std::array<std::string, 3> rates = {view_.RateText(0), view_.RateText(1),
                                              view_.RateText(2)};
    if (json_) {
      out_ += "{\"event\":\"bottleneck\",\"clock\":" + std::to_string(clock_ms) +
              ",\"rates\":" + JsonStrings(rates) + "}\n";
      return;
    }
    Row(clock_ms, "bottleneck", -1,
        "rates now " + rates[0] + " / " + rates[1] + " / " + rates[2]);
  }

  void OnDraw(const Stroke& stroke) {
    if (!json_) return;  // the table keeps to the steps; strokes are in the JSON log
    out_ += "{\"event\":\"draw\",\"clock\":" + std::to_string(stroke.clock_ms) +
            ",\"record\":" + std::to_string(stroke.record) + ",\"link\":" +
            std::to_string(stroke.link) + ",\"head\":" + ShortestText(stroke.head) +
            ",\"tail\":" + ShortestText(stroke.tail) + ",\"forward\":" +
            (stroke.forward ? "true" : "false") + ",\"colour\":" +
            JsonString(HexColour(stroke.colour)) + "}\n";
  }

  void OnComplete(const Completion& completion) {
    completed_ms = completion.clock_ms;
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

 private:
  const TransferUnit& Unit(int record) const { return simulation_.State().UnitTable[record]; }

  void LinkEvent(std::string_view name, std::int32_t clock_ms, int record, int link,
                 std::string_view what) {
    if (json_) {
      out_ += "{\"event\":\"" + std::string(name) + "\",\"clock\":" + std::to_string(clock_ms) +
              ",\"record\":" + std::to_string(record) + ",\"link\":" + std::to_string(link) + "}\n";
      return;
    }
    const TransferUnit& unit = Unit(record);
    Row(clock_ms, name, record, std::string(KindName(unit.Kind, view_.MethodText())),
        unit.Forward != kFalse, link, what);
  }

  void Row(std::int32_t clock_ms, std::string_view event, int record, std::string_view unit,
           bool forward, int link, std::string_view what) {
    Row(clock_ms, event, record, PadRight(unit, 17) + LinkName(link, forward) + ": " + std::string(what));
  }

  void Row(std::int32_t clock_ms, std::string_view event, int record, std::string_view rest) {
    std::array<char, 48> head{};
    std::snprintf(head.data(), head.size(), "%8d  %-11s  ", static_cast<int>(clock_ms),
                  std::string(event).c_str());
    out_ += head.data();
    out_ += record >= 0 ? PadLeft(std::to_string(record), 6) + "  " : std::string(8, ' ');
    out_ += std::string(rest) + "\n";
  }

  static std::string PadRight(std::string_view text, std::size_t width) {
    std::string padded(text);
    if (padded.size() < width) padded.append(width - padded.size(), ' ');
    return padded;
  }
  static std::string PadLeft(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
  }

  const Simulation& simulation_;
  const TraceView& view_;
  bool json_;
  std::string& out_;
};

LinkModel ModelOf(const Options& options) {
  LinkModel model;
  for (int k = 0; k < kLinkCount; ++k) {
    model.rates[k] = LeadingNumber(options.rates[k]);
    model.delays[k] = LeadingNumber(options.delays[k]);
  }
  model.size = LeadingNumber(options.size);
  return model;
}

}  // namespace

std::vector<RunOutcome> RunTraces(const Options& options, std::uint64_t seed, std::string& out) {
  TraceView view;
  Mt64Random random(seed);
  Simulation simulation(view, random);
  view.Attach(simulation);
  LoadDefaults(view, simulation);

  view.ChooseSize(options.size);
  for (int k = 0; k < kLinkCount; ++k) {
    view.ChooseDelay(k, options.delays[k]);
    view.ChooseRate(k, options.rates[k]);
  }

  const std::vector<std::string> techniques =
      options.compare ? std::vector<std::string>(kMethodItems.begin(), kMethodItems.end())
                      : std::vector<std::string>{options.technique};
  std::vector<RunOutcome> outcomes;
  for (const std::string& technique : techniques) {
    view.ChooseMethod(technique);
    random.Reseed(seed);
    // With --compare the table alone is shown, unless the steps are asked for as JSON.
    std::string ignored;
    RunLog log(simulation, view, options.json, options.compare && !options.json ? ignored : out);
    view.on_draw = [&log](const Stroke& stroke) { log.OnDraw(stroke); };
    view.on_complete = [&log](const Completion& completion) { log.OnComplete(completion); };
    log.Start(options, seed);
    simulation.SetObserver(&log);

    // Start, as the button does, then tick until the timer stops itself.
    simulation.ResetSimulation();
    simulation.SetUpTransfer();
    view.SetTimerEnabled(true);
    while (view.TimerEnabled()) simulation.SimulationTick();

    RunOutcome outcome{technique, log.completed_ms, ContinuousCompletionMs(technique, ModelOf(options))};
    log.End();
    if (!options.json && !options.compare) out += ClosingLine(outcome) + "\n";
    simulation.SetObserver(nullptr);
    view.on_draw = nullptr;
    view.on_complete = nullptr;
    simulation.ResetSimulation();
    outcomes.push_back(outcome);
  }
  return outcomes;
}

std::string ParameterLine(const Options& options, std::uint64_t seed) {
  return "size " + options.size + ", rates " + options.rates[0] + " / " + options.rates[1] +
         " / " + options.rates[2] + ", delays " + options.delays[0] + " / " + options.delays[1] +
         " / " + options.delays[2] + ", seed " + std::to_string(seed);
}

std::string ClosingLine(const RunOutcome& outcome) {
  if (outcome.completed_ms) {
    return outcome.technique + ": the data reached Receive after " +
           std::to_string(*outcome.completed_ms) + " ms";
  }
  return outcome.technique + ": the data did not reach Receive within the run";
}

std::string CompareTable(const std::vector<RunOutcome>& outcomes) {
  auto number = [](double value) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.1f", value);
    return std::string(text.data());
  };
  std::string table = "technique  simulated ms  continuous ms  difference ms\n";
  for (const RunOutcome& outcome : outcomes) {
    std::array<char, 128> row{};
    const std::string simulated =
        outcome.completed_ms ? std::to_string(*outcome.completed_ms) : "-";
    const std::string difference =
        outcome.completed_ms ? number(*outcome.completed_ms - outcome.continuous_ms) : "-";
    std::snprintf(row.data(), row.size(), "%-9s  %12s  %13s  %13s\n", outcome.technique.c_str(),
                  simulated.c_str(), number(outcome.continuous_ms).c_str(), difference.c_str());
    table += row.data();
  }
  return table;
}

}  // namespace switchsim::trace
