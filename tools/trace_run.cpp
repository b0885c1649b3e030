#include "tools/trace_run.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "form/choose_boxes.h"
#include "classroom/classroom.h"
#include "formulas/continuous_time.h"
#include "form/form_logic.h"
#include "form/lists.h"
#include "simulation/random_source.h"
#include "records/run_log.h"
#include "records/timing_format.h"
#include "records/timing_table.h"
#include "text/translation.h"
#include "tools/trace_view.h"

namespace switchsim::trace {

std::vector<std::string> TechniquesOf(const Options& options) {
  if (!options.compare) return {options.technique};
  return {lists::kMethodItems.begin(), lists::kMethodItems.end()};
}

RunParameters ParametersOf(const Options& options, std::string technique, std::uint64_t seed) {
  return RunParameters{std::move(technique), options.size, options.rates, options.delays, seed,
                       options.packeting};
}

std::vector<RunOutcome> RunTraces(const Options& options, std::uint64_t seed, std::string& out) {
  TraceView view;
  Mt64Random random(seed);
  FormLogic form(view, random);
  form.Form_Load();
  ChooseBoxes(form, options);

  const std::vector<std::string> techniques = TechniquesOf(options);
  const LinkModel model = ModelOf(ParametersOf(options, options.technique, seed));
  std::vector<RunOutcome> outcomes;
  for (const std::string& technique : techniques) {
    form.Choose(kMethodBox, technique);
    random.Reseed(seed);
    // With --compare or --timing a table alone is shown, unless the steps are asked for as JSON.
    std::string ignored;
    const bool steps = options.json || !(options.compare || options.timing);
    RunLog log(form.simulation(), form, options.json ? RunLog::Format::Json : RunLog::Format::Table,
               steps ? out : ignored);
    log.Start(ParametersOf(options, technique, seed));
    TimingTable timing(form.simulation(), form);
    form.SetListener(&log);
    form.AddListener(&timing);

    // Start, as the button does, then tick until the timer stops itself.
    form.cmdStart_Click(0);
    while (form.TimerEnabled()) form.Timer1_Timer();

    const RunOutcome outcome{technique, log.completed_ms(), ContinuousCompletionMs(technique, model)};
    log.End(outcome.continuous_ms);
    if (options.timing) {
      out += TimingOutput(options, ParametersOf(options, technique, seed), timing.Rows(), outcome);
    } else if (!options.json && !options.compare) {
      out += ClosingLine(outcome) + "\n";
    }
    form.SetListener(nullptr);
    form.cmdStart_Click(0);  // Reset
    outcomes.push_back(outcome);
  }
  return outcomes;
}

std::string TimingOutput(const Options& options, const RunParameters& parameters,
                         const std::vector<Crossing>& rows, const RunOutcome& outcome) {
  if (options.csv) return TimingCsv(rows);
  return Tr(parameters.technique) + ", " + switchsim::ParameterLine(parameters) + "\n" +
         TimingText(rows) + ClosingLine(outcome) + "\n";
}

std::string ParameterLine(const Options& options, std::uint64_t seed) {
  return switchsim::ParameterLine(ParametersOf(options, options.technique, seed));
}

std::string ClosingLine(const RunOutcome& outcome) {
  if (outcome.completed_ms) {
    return Fill(Tr("{0}: the data reached Receive after {1} ms"),
                {Tr(outcome.technique), std::to_string(*outcome.completed_ms)});
  }
  return Fill(Tr("{0}: the data did not reach Receive within the run"), {Tr(outcome.technique)});
}

namespace {

// The characters `text` shows (UTF-8's lead bytes), for lining up columns.
std::size_t Shown(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// `text` padded with spaces to `width` shown characters, on the left or the right.
std::string Padded(const std::string& text, std::size_t width, bool left) {
  const std::string pad(width - std::min(width, Shown(text)), ' ');
  return left ? text + pad : pad + text;
}

}  // namespace

std::string CompareTable(const std::vector<RunOutcome>& outcomes) {
  // Each column is as wide as its heading: the technique's on the left, the numbers' on the right.
  const std::array<std::string, 4> headings = {Tr("technique"), Tr("simulated ms"), Tr("continuous ms"),
                                               Tr("difference ms")};
  std::string table = headings[0] + "  " + headings[1] + "  " + headings[2] + "  " + headings[3] + "\n";
  for (const RunOutcome& outcome : outcomes) {
    const std::string simulated = outcome.completed_ms ? std::to_string(*outcome.completed_ms) : "-";
    const std::string difference =
        outcome.completed_ms ? PeopleNumber(MsText(*outcome.completed_ms - outcome.continuous_ms)) : "-";
    const std::array<std::string, 4> cells = {Tr(outcome.technique), simulated,
                                              PeopleNumber(MsText(outcome.continuous_ms)), difference};
    for (std::size_t k = 0; k < cells.size(); ++k) {
      table += (k == 0 ? "" : "  ") + Padded(cells[k], Shown(headings[k]), k == 0);
    }
    table += "\n";
  }
  return table;
}

}  // namespace switchsim::trace
