#include "tools/trace_run.h"

#include <array>
#include <cstdio>
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
  return parameters.technique + ", " + switchsim::ParameterLine(parameters) + "\n" +
         TimingText(rows) + ClosingLine(outcome) + "\n";
}

std::string ParameterLine(const Options& options, std::uint64_t seed) {
  return switchsim::ParameterLine(ParametersOf(options, options.technique, seed));
}

std::string ClosingLine(const RunOutcome& outcome) {
  if (outcome.completed_ms) {
    return outcome.technique + ": the data reached Receive after " +
           std::to_string(*outcome.completed_ms) + " ms";
  }
  return outcome.technique + ": the data did not reach Receive within the run";
}

std::string CompareTable(const std::vector<RunOutcome>& outcomes) {
  std::string table = "technique  simulated ms  continuous ms  difference ms\n";
  for (const RunOutcome& outcome : outcomes) {
    std::array<char, 128> row{};
    const std::string simulated =
        outcome.completed_ms ? std::to_string(*outcome.completed_ms) : "-";
    const std::string difference =
        outcome.completed_ms ? MsText(*outcome.completed_ms - outcome.continuous_ms) : "-";
    std::snprintf(row.data(), row.size(), "%-9s  %12s  %13s  %13s\n", outcome.technique.c_str(),
                  simulated.c_str(), MsText(outcome.continuous_ms).c_str(), difference.c_str());
    table += row.data();
  }
  return table;
}

}  // namespace switchsim::trace
