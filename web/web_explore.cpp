#include "web/web_explore.h"

#include <cmath>
#include <variant>

#include "text/json_writer.h"
#include "simulation/numbers.h"
#include "records/results_format.h"
#include "form/run_choice.h"
#include "pictures/svg_writer.h"
#include "explore/sweep_range.h"
#include "explore/sweep_tables.h"

namespace switchsim {
namespace {

std::string_view AlignName(TextAlign align) {
  switch (align) {
    case TextAlign::Middle: return "middle";
    case TextAlign::End: return "end";
    default: return "start";
  }
}

// A length or coordinate in hundredths of a px: an integer is quick to write,
// and the page divides it again.
JsonWriter& Px(JsonWriter& json, double value) { return json.Integer(std::llround(value * 100.0)); }

void WritePen(JsonWriter& json, const Pen& pen) {
  Px(json.Key("c").Colour(pen.colour).Key("w"), pen.width).Key("d").Bool(pen.dashed);
}

// Fill and outline of a rectangle or circle: "f" and "s" are colours or null.
void WritePaint(JsonWriter& json, bool filled, Rgb fill, bool outlined, const Pen& pen) {
  json.Key("f");
  if (filled) {
    json.Colour(fill);
  } else {
    json.Null();
  }
  json.Key("s");
  if (outlined) {
    Px(json.Colour(pen.colour).Key("w"), pen.width);
  } else {
    json.Null();
  }
}

void WritePoint(JsonWriter& json, std::string_view x, std::string_view y, DrawPoint point) {
  Px(json.Key(x), point.x);
  Px(json.Key(y), point.y);
}

struct ItemJson {
  JsonWriter& json;
  void operator()(const DrawLine& l) const {
    json.Key("k").Text("line");
    WritePoint(json, "x1", "y1", l.from);
    WritePoint(json, "x2", "y2", l.to);
    WritePen(json, l.pen);
  }
  void operator()(const DrawPolyline& p) const {
    json.Key("k").Text("poly").Key("p").Open('[');
    for (const DrawPoint& point : p.points) Px(Px(json, point.x), point.y);
    json.Close(']');
    WritePen(json, p.pen);
  }
  void operator()(const DrawRect& r) const {
    json.Key("k").Text("rect");
    WritePoint(json, "x", "y", {r.x, r.y});
    WritePoint(json, "width", "height", {r.width, r.height});
    WritePaint(json, r.filled, r.fill, r.outlined, r.pen);
  }
  void operator()(const DrawCircle& c) const {
    json.Key("k").Text("circle");
    WritePoint(json, "x", "y", c.centre);
    Px(json.Key("r"), c.radius);
    WritePaint(json, c.filled, c.fill, c.outlined, c.pen);
  }
  void operator()(const DrawText& t) const {
    json.Key("k").Text("text");
    WritePoint(json, "x", "y", t.at);
    json.Key("t").Text(t.text).Key("c").Colour(t.colour);
    Px(json.Key("size"), t.size).Key("a").Text(AlignName(t.align));
    Px(json.Key("b").Bool(t.bold).Key("r"), t.rotation);
  }
};

}  // namespace

std::string WebExplore::Begin(const std::string& spec_text, const std::string& seeds_text,
                              const RunParameters& base) {
  auto read = ReadSweepRange(spec_text);
  if (const auto* refusal = std::get_if<std::string>(&read)) return *refusal;
  int seeds = 1;
  if (const auto refusal = ChooseSeedCount(seeds_text, seeds)) return "Seeds: " + *refusal;
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
  if (!sweep_) return "null";
  const Drawing& drawing = Layout().drawing();
  std::string out;
  JsonWriter json(out);
  json.Open('{');
  WritePoint(json, "width", "height", {drawing.width, drawing.height});
  json.Key("background").Colour(drawing.background).Key("title").Text(drawing.title);
  json.Key("description").Text(drawing.description).Key("items").Open('[');
  for (const DrawItem& item : drawing.items) {
    json.Open('{');
    std::visit(ItemJson{json}, item);
    json.Close('}');
  }
  json.Close(']').Close('}');
  return out;
}

std::string WebExplore::Svg() { return sweep_ ? SvgText(Layout().drawing()) : std::string(); }

std::string WebExplore::Csv() const { return sweep_ ? SweepCsv(*sweep_) : std::string(); }

std::string WebExplore::TableJson() const {
  if (!sweep_) return "{\"heading\":[],\"rows\":[],\"runs\":[]}";
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("heading").Open('[');
  json.Text(SweepAxisTitle(sweep_->spec())).Text("technique").Text("formula ms");
  for (int s = 0; s < sweep_->seed_count(); ++s) {
    json.Text("seed " + std::to_string(sweep_->first_seed() + static_cast<std::uint64_t>(s)) + " ms");
  }
  json.Close(']').Key("rows").Open('[');
  const auto& runs = sweep_->runs();
  const auto seeds = static_cast<std::size_t>(sweep_->seed_count());
  // Runs come in the order x, technique, seed: one row per x and technique.
  for (std::size_t i = 0; i < runs.size(); i += seeds) {
    const SweepRun& first = runs[i];
    json.Open('[').Text(ShortestText(sweep_->spec().values[first.x_index]));
    json.Text(SweepTechniqueName(first.technique));
    json.Text(MsText(sweep_->FormulaMs(first.technique, first.x_index)));
    for (std::size_t s = i; s < runs.size() && s < i + seeds; ++s) {
      json.Text(runs[s].simulated_ms ? std::to_string(*runs[s].simulated_ms) : std::string("> 15 s"));
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
