#include "records/results_format.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "simulation/numbers.h"
#include "text/text_escape.h"

namespace switchsim {
namespace {

std::string ShellWord(const std::string& word) {
  const bool plain = !word.empty() && word.find_first_not_of(
                                          "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                          "0123456789.,+-_=/") == std::string::npos;
  if (plain) return word;
  std::string quoted = "'";
  for (const char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string Joined(const std::array<std::string, 3>& texts, std::string_view separator) {
  return texts[0] + std::string(separator) + texts[1] + std::string(separator) + texts[2];
}

}  // namespace

std::string CompletionNotice(const RunResult& result) {
  return result.parameters.technique + ": " + std::to_string(result.simulated_ms) +
         " ms, formula " + FormulaText(result.formula_ms) + " ms";
}

std::array<std::string, kResultColumns> ResultCells(const RunResult& r) {
  const RunParameters& p = r.parameters;
  return {p.technique,
          p.size,
          Joined(p.rates, " / "),
          Joined(p.delays, " / "),
          std::to_string(p.packeting.packet_blocks),
          std::to_string(p.packeting.header_blocks),
          std::to_string(r.simulated_ms),
          MsText(r.formula_ms),
          MsText(r.simulated_ms - r.formula_ms),
          std::to_string(p.seed),
          r.changed ? "yes" : "no"};
}

std::string ResultsText(const std::vector<RunResult>& results) {
  std::string text =
      "technique  size  rates             delays        packet  header  simulated ms  formula ms"
      "  difference ms    seed  changed\n";
  for (const RunResult& r : results) {
    const std::array<std::string, kResultColumns> c = ResultCells(r);
    std::array<char, 256> row{};
    std::snprintf(row.data(), row.size(), "%-9s  %4s  %-16s  %-12s  %6s  %6s  %12s  %10s  %13s  %6s  %s\n",
                  c[0].c_str(), c[1].c_str(), c[2].c_str(), c[3].c_str(), c[4].c_str(),
                  c[5].c_str(), c[6].c_str(), c[7].c_str(), c[8].c_str(), c[9].c_str(),
                  c[10].c_str());
    text += row.data();
  }
  return text;
}

std::string ResultsCsv(const std::vector<RunResult>& results) {
  std::string csv =
      "technique,size,rate 1,rate 2,rate 3,delay 1,delay 2,delay 3,packet,header,simulated ms,"
      "formula ms,difference ms,seed,changed during run\r\n";
  for (const RunResult& r : results) {
    const RunParameters& p = r.parameters;
    std::string line = CsvField(p.technique) + "," + CsvField(p.size);
    for (const std::string& rate : p.rates) line += "," + CsvField(rate);
    for (const std::string& delay : p.delays) line += "," + CsvField(delay);
    line += "," + std::to_string(p.packeting.packet_blocks) + "," +
            std::to_string(p.packeting.header_blocks);
    line += "," + std::to_string(r.simulated_ms) + "," + MsText(r.formula_ms) + "," +
            MsText(r.simulated_ms - r.formula_ms) + "," + std::to_string(p.seed) + "," +
            (r.changed ? "yes" : "no");
    csv += line + "\r\n";
  }
  return csv;
}

std::string TraceCommand(const RunParameters& p) {
  const std::string packeting =
      p.packeting == Packeting{} ? ""
                                 : " --packet " + std::to_string(p.packeting.packet_blocks) +
                                       " --header " + std::to_string(p.packeting.header_blocks);
  return "switchsim-trace --technique " + ShellWord(p.technique) + " --size " + ShellWord(p.size) +
         " --rates " + ShellWord(Joined(p.rates, ",")) + " --delays " +
         ShellWord(Joined(p.delays, ",")) + packeting + " --seed " + std::to_string(p.seed);
}

}  // namespace switchsim
