#include "explore/sweep_tables.h"

#include <array>
#include <cstdio>

#include "explore/curve_marks.h"
#include "simulation/numbers.h"
#include "records/results_format.h"
#include "text/text_escape.h"

namespace switchsim {
namespace {

inline constexpr std::string_view kNotDelivered = "> 15 s";

std::string SimulatedText(const SweepRun& run) {
  return run.simulated_ms ? std::to_string(*run.simulated_ms) : std::string(kNotDelivered);
}

std::string Padded(std::string text, std::size_t width, bool right) {
  if (text.size() >= width) return text;
  const std::string blanks(width - text.size(), ' ');
  return right ? blanks + text : text + blanks;
}

}  // namespace

std::string SweepContext(const Sweep& sweep) {
  const SweepRange& spec = sweep.spec();
  const RunParameters& p = sweep.base();
  const auto shown = [&](SweepParameter parameter, int link, const std::string& text) {
    return spec.parameter == parameter && spec.link == link ? std::string("x") : Abridged(text);
  };
  std::string line = "size " + shown(SweepParameter::Size, 0, p.size) + ", rates ";
  for (int k = 0; k < kLinkCount; ++k) {
    line += (k > 0 ? " / " : "") + shown(SweepParameter::Rate, k, p.rates[k]);
  }
  line += ", delays ";
  for (int k = 0; k < kLinkCount; ++k) {
    line += (k > 0 ? " / " : "") + shown(SweepParameter::Delay, k, p.delays[k]);
  }
  line += ", packets of " + shown(SweepParameter::Packet, 0, std::to_string(p.packeting.packet_blocks)) +
          " blocks, header " + shown(SweepParameter::Header, 0, std::to_string(p.packeting.header_blocks));
  const std::uint64_t last_seed = sweep.first_seed() + static_cast<std::uint64_t>(sweep.seed_count() - 1);
  line += sweep.seed_count() == 1 ? ", seed " + std::to_string(sweep.first_seed())
                                  : ", seeds " + std::to_string(sweep.first_seed()) + " to " +
                                        std::to_string(last_seed);
  return line;
}

std::string SweepTableText(const Sweep& sweep) {
  const SweepRange& spec = sweep.spec();
  std::string text = "Completion time against " + SweepAxisTitle(spec) + "\n" + SweepContext(sweep) + "\n";
  const std::string name = SweepParameterName(spec);
  const std::size_t width = std::max<std::size_t>(name.size(), 6);
  text += Padded(name, width, true) + "  technique  formula ms  simulated ms, by seed\n";
  const std::vector<SweepRun>& runs = sweep.runs();
  for (std::size_t i = 0; i < runs.size(); i += static_cast<std::size_t>(sweep.seed_count())) {
    const SweepRun& first = runs[i];
    std::string row = Padded(ShortestText(spec.values[first.x_index]), width, true) + "  " +
                      Padded(std::string(SweepTechniqueName(first.technique)), 9, false) + "  " +
                      Padded(MsText(sweep.FormulaMs(first.technique, first.x_index)), 10, true) + " ";
    for (std::size_t j = i; j < runs.size() && j < i + sweep.seed_count(); ++j) {
      row += " " + SimulatedText(runs[j]);
    }
    text += row + "\n";
  }
  if (sweep.Done()) {
    for (const std::string& mark : MarkTexts(sweep)) text += mark + "\n";
  }
  return text;
}

std::string SweepCsv(const Sweep& sweep) {
  std::string csv = SweepParameterName(sweep.spec()) + ",technique,seed,simulated_ms,formula_ms\r\n";
  for (const SweepRun& run : sweep.runs()) {
    csv += ShortestText(sweep.spec().values[run.x_index]) + "," +
           std::string(SweepTechniqueName(run.technique)) + "," + std::to_string(run.seed) + "," +
           (run.simulated_ms ? std::to_string(*run.simulated_ms) : "") + "," +
           MsText(sweep.FormulaMs(run.technique, run.x_index)) + "\r\n";
  }
  return csv;
}

}  // namespace switchsim
