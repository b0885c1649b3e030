#include "web/web_explore.h"

#include <variant>

#include "text/json_writer.h"
#include "text/translation.h"
#include "web/drawing_json.h"
#include "simulation/numbers.h"
#include "records/results_format.h"
#include "form/run_choice.h"
#include "pictures/svg_writer.h"
#include "explore/sweep_range.h"
#include "explore/sweep_tables.h"

namespace switchsim {

std::string WebExplore::Begin(const std::string& spec_text, const std::string& seeds_text,
                              const RunParameters& base) {
  auto read = ReadSweepRange(spec_text);
  if (const auto* refusal = std::get_if<std::string>(&read)) return *refusal;
  int seeds = 1;
  if (const auto refusal = ChooseSeedCount(seeds_text, seeds)) return Fill(Tr("Seeds: {0}"), {*refusal});
  sweep_ = std::make_unique<Sweep>(std::get<SweepRange>(std::move(read)), base, 1, seeds);
  layout_.reset();
  return {};
}

std::size_t WebExplore::Step(std::size_t max_runs) {
  if (!sweep_) return 0;
  sweep_->RunNext(max_runs);
  return sweep_->runs().size();
}

const CurveLayout& WebExplore::Layout() {
  if (!layout_ || laid_out_runs_ != sweep_->runs().size()) {
    layout_ = std::make_unique<CurveLayout>(*sweep_);
    laid_out_runs_ = sweep_->runs().size();
  }
  return *layout_;
}

std::string WebExplore::DrawingJson() {
  return sweep_ ? switchsim::DrawingJson(Layout().drawing()) : std::string("null");
}

std::string WebExplore::Svg() { return sweep_ ? SvgText(Layout().drawing()) : std::string(); }

std::string WebExplore::Csv() const { return sweep_ ? SweepCsv(*sweep_) : std::string(); }

std::string WebExplore::TableJson() const {
  if (!sweep_) return "{\"heading\":[],\"rows\":[],\"runs\":[]}";
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("heading").Open('[');
  json.Text(SweepAxisTitle(sweep_->spec())).Text(Tr("technique")).Text(Tr("formula ms"));
  for (int s = 0; s < sweep_->seed_count(); ++s) {
    json.Text(Fill(Tr("seed {0} ms"), {std::to_string(sweep_->first_seed() + static_cast<std::uint64_t>(s))}));
  }
  json.Close(']').Key("rows").Open('[');
  const auto& runs = sweep_->runs();
  const auto seeds = static_cast<std::size_t>(sweep_->seed_count());
  // Runs come in the order x, technique, seed: one row per x and technique.
  for (std::size_t i = 0; i < runs.size(); i += seeds) {
    const SweepRun& first = runs[i];
    json.Open('[').Text(PeopleNumber(ShortestText(sweep_->spec().values[first.x_index])));
    json.Text(Tr(SweepTechniqueName(first.technique)));
    json.Text(PeopleNumber(MsText(sweep_->FormulaMs(first.technique, first.x_index))));
    for (std::size_t s = i; s < runs.size() && s < i + seeds; ++s) {
      json.Text(runs[s].simulated_ms ? std::to_string(*runs[s].simulated_ms) : Tr("> 15 s"));
    }
    json.Close(']');
  }
  json.Close(']').Key("runs").Open('[');
  for (std::size_t i = 0; i < runs.size(); i += seeds) json.Integer(static_cast<long long>(i));
  json.Close(']').Close('}');
  return out;
}

std::string WebExplore::PickJson(double x, double y, bool touch, double shown_scale) {
  if (!sweep_) return "{}";
  const CurveLayout& layout = Layout();
  const CurvePick pick = layout.Pick({{x, y}, touch ? Pointer::Touch : Pointer::Mouse, shown_scale});
  std::string out;
  JsonWriter json(out);
  json.Open('{');
  if (pick.kind == CurvePick::Kind::Run) json.Key("run").Integer(static_cast<long long>(pick.index));
  if (pick.kind == CurvePick::Kind::Mark) json.Key("say").Text(layout.MarkSaid(pick.index));
  json.Close('}');
  return out;
}

std::optional<RunParameters> WebExplore::ParametersOf(int index) const {
  if (!sweep_ || index < 0 || static_cast<std::size_t>(index) >= sweep_->runs().size()) {
    return std::nullopt;
  }
  return sweep_->ParametersOf(sweep_->runs()[static_cast<std::size_t>(index)]);
}

}  // namespace switchsim
