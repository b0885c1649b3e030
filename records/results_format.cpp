#include "records/results_format.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "simulation/numbers.h"
#include "form/shown_texts.h"
#include "text/text_escape.h"
#include "text/translation.h"

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

// Characters, not bytes: a translated word may hold letters of two bytes.
std::size_t Width(std::string_view text) {
  std::size_t width = 0;
  for (const char c : text) width += (c & 0xc0) != 0x80 ? 1 : 0;
  return width;
}

std::string Padded(const std::string& text, std::size_t width, bool right) {
  const std::string fill(width > Width(text) ? width - Width(text) : 0, ' ');
  return right ? fill + text : text + fill;
}

}  // namespace

std::string CompletionNotice(const RunResult& result) {
  return Fill(Tr("{0}: {1} ms, formula {2} ms"), {ShownText(result.parameters.technique),
                                                  std::to_string(result.simulated_ms),
                                                  PeopleNumber(FormulaText(result.formula_ms))});
}

std::array<std::string, kResultColumns> ResultCells(const RunResult& r) {
  const RunParameters& p = r.parameters;
  // The box texts as the boxes showed them; the worked-out numbers as a person writes them.
  return {ShownText(p.technique),
          p.size,
          Joined(p.rates, " / "),
          Joined(p.delays, " / "),
          std::to_string(p.packeting.packet_blocks),
          std::to_string(p.packeting.header_blocks),
          std::to_string(r.simulated_ms),
          PeopleNumber(MsText(r.formula_ms)),
          PeopleNumber(MsText(r.simulated_ms - r.formula_ms)),
          std::to_string(p.seed),
          r.changed ? Tr("yes") : Tr("no")};
}

std::string ResultHeading(std::size_t column) { return Tr(kResultHeadings.at(column)); }

std::string ResultsText(const std::vector<RunResult>& results) {
  // Each column's least width, and whether it lines up on the left.
  constexpr std::array<std::size_t, kResultColumns> kWidths = {9, 4, 16, 12, 6, 6, 12, 10, 13, 6, 0};
  constexpr std::array<bool, kResultColumns> kLeft = {true,  false, true,  true,  false, false,
                                                      false, false, false, false, true};
  const auto line = [&](const std::array<std::string, kResultColumns>& cells) {
    std::string out;
    for (std::size_t i = 0; i < kResultColumns; ++i) {
      if (i > 0) out += "  ";
      out += Padded(cells[i], kWidths[i], !kLeft[i]);
    }
    return out + "\n";
  };
  std::array<std::string, kResultColumns> heading;
  for (std::size_t i = 0; i < kResultColumns; ++i) heading[i] = Tr(kResultTextHeadings[i]);
  std::string text = line(heading);
  for (const RunResult& r : results) text += line(ResultCells(r));
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
