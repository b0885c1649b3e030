#include "explore/sweep_tables.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "explore/curve_marks.h"
#include "simulation/numbers.h"
#include "records/results_format.h"
#include "text/text_escape.h"
#include "text/translation.h"

namespace switchsim {
namespace {

std::string SimulatedText(const SweepRun& run) {
  return run.simulated_ms ? std::to_string(*run.simulated_ms) : Tr("> 15 s");
}

// How many characters wide `text` (UTF-8) is: its bytes that start one.
std::size_t Characters(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xc0U) != 0x80U;
  }));
}

std::string Padded(std::string text, std::size_t width, bool right) {
  const std::size_t wide = Characters(text);
  if (wide >= width) return text;
  const std::string blanks(width - wide, ' ');
  return right ? blanks + text : text + blanks;
}

}  // namespace

std::string SweepContext(const Sweep& sweep) {
  const SweepRange& spec = sweep.spec();
  const RunParameters& p = sweep.base();
  const auto shown = [&](SweepParameter parameter, int link, const std::string& text) {
    return spec.parameter == parameter && spec.link == link ? std::string("x") : PeopleNumber(Abridged(text));
  };
  std::string rates;
  std::string delays;
  for (int k = 0; k < kLinkCount; ++k) {
    rates += (k > 0 ? " / " : "") + shown(SweepParameter::Rate, k, p.rates[k]);
    delays += (k > 0 ? " / " : "") + shown(SweepParameter::Delay, k, p.delays[k]);
  }
  const std::string kept =
      Fill(Tr("size {0}, rates {1}, delays {2}, packets of {3} blocks, header {4}"),
           {shown(SweepParameter::Size, 0, p.size), rates, delays,
            shown(SweepParameter::Packet, 0, std::to_string(p.packeting.packet_blocks)),
            shown(SweepParameter::Header, 0, std::to_string(p.packeting.header_blocks))});
  const std::uint64_t last_seed = sweep.first_seed() + static_cast<std::uint64_t>(sweep.seed_count() - 1);
  if (sweep.seed_count() == 1) return Fill(Tr("{0}, seed {1}"), {kept, std::to_string(sweep.first_seed())});
  return Fill(Tr("{0}, seeds {1} to {2}"), {kept, std::to_string(sweep.first_seed()), std::to_string(last_seed)});
}

std::string SweepTableText(const Sweep& sweep) {
  const SweepRange& spec = sweep.spec();
  std::string text = Fill(Tr("Completion time against {0}"), {SweepAxisTitle(spec)}) + "\n" + SweepContext(sweep) +
                     "\n";
  const std::string name = SweepParameterName(spec);
  const std::size_t width = std::max<std::size_t>(name.size(), 6);
  text += Padded(name, width, true) + "  " + Padded(Tr("technique"), 9, false) + "  " +
          Padded(Tr("formula ms"), 10, true) + "  " + Tr("simulated ms, by seed") + "\n";
  const std::vector<SweepRun>& runs = sweep.runs();
  for (std::size_t i = 0; i < runs.size(); i += static_cast<std::size_t>(sweep.seed_count())) {
    const SweepRun& first = runs[i];
    std::string row = Padded(PeopleNumber(ShortestText(spec.values[first.x_index])), width, true) + "  " +
                      Padded(SweepTechniqueLabel(first.technique), 9, false) + "  " +
                      Padded(PeopleNumber(MsText(sweep.FormulaMs(first.technique, first.x_index))), 10, true) +
                      " ";
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
