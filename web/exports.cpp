// The functions the page's script calls. Each takes plain numbers and
// UTF-8 texts; a returned text stays valid until the next call that
// returns one.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "classroom/classroom.h"
#include "text/json_writer.h"
#include "pictures/form_description.h"
#include "options/page_address.h"
#include "look/presentation.h"
#include "look/zoom.h"
#include "formulas/reading_guide.h"
#include "form/run_choice.h"
#include "explore/sweep_choices.h"
#include "records/timing_format.h"
#include "exercises/exercise_sheet.h"
#include "options/sheet_address.h"
#include "web/web_exercises.h"
#include "web/web_explore.h"
#include "web/web_form.h"
#include "web/web_labs.h"
#include "text/catalog.h"
#include "text/languages.h"
#include "text/translation.h"

namespace {

std::unique_ptr<switchsim::WebForm>& Form() {
  static std::unique_ptr<switchsim::WebForm> form;
  return form;
}

std::unique_ptr<switchsim::WebExercises>& HeldExercises() {
  static std::unique_ptr<switchsim::WebExercises> exercises;
  return exercises;
}

/// Forgets the exercises before the classroom they ask over goes.
void ForgetExercises() {
  if (Form()) Form()->SetAfterTick(nullptr);
  HeldExercises() = nullptr;
}

/// The exercises over the form's classroom, made at the first call.
switchsim::WebExercises& Exercises() {
  auto& held = HeldExercises();
  if (!held) {
    held = std::make_unique<switchsim::WebExercises>(Form()->classroom());
    Form()->SetAfterTick([exercises = held.get(), form = Form().get()] {
      const auto before = exercises->Revision();
      exercises->AfterTick();
      if (exercises->Revision() != before) form->NoteChange();
    });
  }
  return *held;
}

/// Runs `action` on the exercises; the form's state shows what it changed.
template <typename Action>
void OnExercises(Action action) {
  action(Exercises());
  Form()->NoteChange();
}

switchsim::WebExplore& Explore() {
  static switchsim::WebExplore explore;
  return explore;
}

/// The labs, held while the form holds Start for a question's answer, so
/// that no lab shows or runs what would give the answer away.
switchsim::WebLabs& Labs() {
  static switchsim::WebLabs labs;
  if (Form()) labs.SetHeld(Form()->classroom().ReadoutsHidden());
  return labs;
}

const char* Returned(std::string text) {
  static std::string held;
  held = std::move(text);
  return held.c_str();
}

/// The bytes of a catalog the page is handing over, until it is read.
std::string& CatalogBytes() {
  static std::string bytes;
  return bytes;
}

/// `joined`'s parts between the page's separator, the unit separator (U+001F).
std::vector<std::string> Parts(std::string_view joined) {
  std::vector<std::string> parts;
  if (joined.empty()) return parts;
  std::size_t from = 0;
  for (std::size_t at = joined.find('\x1f'); at != std::string_view::npos; at = joined.find('\x1f', from)) {
    parts.emplace_back(joined.substr(from, at - from));
    from = at + 1;
  }
  parts.emplace_back(joined.substr(from));
  return parts;
}

/// `pattern` filled with the first values of `values` (as many as the page's texts take).
std::string FillAll(std::string_view pattern, const std::vector<std::string>& v) {
  switch (v.size()) {
    case 0: return std::string(pattern);
    case 1: return switchsim::Fill(pattern, {v[0]});
    case 2: return switchsim::Fill(pattern, {v[0], v[1]});
    case 3: return switchsim::Fill(pattern, {v[0], v[1], v[2]});
    default: return switchsim::Fill(pattern, {v[0], v[1], v[2], v[3]});
  }
}

bool ValidBox(int kind, int link) {
  return kind >= 0 && kind <= static_cast<int>(switchsim::BoxKind::Size) && link >= 0 &&
         link < switchsim::kLinkCount;
}

}  // namespace

extern "C" {

// The page's language: chosen before the form is made, its catalog fetched
// by the page and handed over as bytes.
/// The language the page speaks: the one `asked` (a link's lang=) names,
/// else the one `kept` (the page's menu, from an earlier visit) names, else
/// the first of the browser's `tags` (separated by U+001F) that switchsim speaks.
const char* ss_page_language(const char* asked, const char* kept, const char* tags) {
  for (const char* tag : {asked, kept}) {
    if (const auto language = switchsim::LanguageOfTag(tag)) return Returned(std::string(*language));
  }
  return Returned(std::string(switchsim::PreferredLanguage(Parts(tags))));
}
/// The languages a person picks from the menu: [{"code", "name"}], each named in itself.
const char* ss_languages() {
  std::string out;
  switchsim::JsonWriter json(out);
  json.Open('[');
  for (const switchsim::Language& language : switchsim::kLanguages) {
    if (language.listed) json.Open('{').Key("code").Text(language.code).Key("name").Text(language.own_name).Close('}');
  }
  json.Close(']');
  return Returned(std::move(out));
}
/// Room in the module's memory for a catalog of `length` bytes; where the page writes them.
double ss_catalog_buffer(int length) {
  CatalogBytes().assign(static_cast<std::size_t>(length < 0 ? 0 : length), '\0');
  return static_cast<double>(reinterpret_cast<std::uintptr_t>(CatalogBytes().data()));
}
/// Puts the catalog written at ss_catalog_buffer's place in use; 1 if it is one, else 0 and English stays.
int ss_use_catalog() {
  auto catalog = switchsim::Catalog::Read(CatalogBytes());
  std::string().swap(CatalogBytes());
  if (!catalog) return 0;
  switchsim::UseCatalog(std::make_shared<const switchsim::Catalog>(std::move(*catalog)));
  return 1;
}
/// The code of the language in use ("en" with no catalog).
const char* ss_language() { return Returned(switchsim::CurrentLanguage()); }
/// `text`, one of the page's own, in the language in use, with {0}.. filled by
/// `values` (separated by U+001F).
const char* ss_tr(const char* text, const char* values) {
  return Returned(FillAll(switchsim::Tr(text), Parts(values)));
}
/// As ss_tr, for a text that means different things in different places.
const char* ss_tr_in(const char* context, const char* text, const char* values) {
  return Returned(FillAll(switchsim::TrIn(context, text), Parts(values)));
}
/// As ss_tr, the singular or the plural as `count` asks.
const char* ss_tr_n(const char* singular, const char* plural, double count, const char* values) {
  return Returned(FillAll(switchsim::TrN(singular, plural, static_cast<long long>(count)), Parts(values)));
}
/// A number written with a decimal point, as a person of the language in use writes it.
const char* ss_people_number(const char* number) { return Returned(switchsim::PeopleNumber(number)); }

/// Builds the form as loaded, forgetting any earlier one.
void ss_create() {
  ForgetExercises();
  Form() = std::make_unique<switchsim::WebForm>();
}

/// Takes a shared link's query; returns "" or the notice naming the bad parameter.
const char* ss_apply_query(const char* query, double now_ms) {
  ForgetExercises();  // a link's seed makes a new classroom
  return Returned(Form()->ApplyQuery(query, now_ms));
}

/// What the link taken asks of the view: {"zoom", "projector", "embed"}.
const char* ss_link_view() { return Returned(Form()->LinkView()); }
/// The scale the form is shown at with the zoom named `zoom` in a space of
/// `width` × `height` CSS px; 1 for a name that is no zoom.
double ss_shown_scale(const char* zoom, double width, double height) {
  const auto read = switchsim::ReadZoom(zoom);
  return read ? switchsim::ShownScale(*read, width, height) : 1.0;
}
/// The form is shown at `scale`, for a projector if `projector`; the margins'
/// text should be at least `least_px` CSS px tall where it fits.
void ss_set_presentation(double scale, int projector, double least_px) {
  Form()->SetPresentation({scale, projector != 0}, least_px);
}
/// A panel's text beside the form shown at `scale`, for a projector if
/// `projector`: {"scale": over the usual text, "bold"}.
const char* ss_panel_text(double scale, int projector) {
  const switchsim::PanelText text = switchsim::PanelTextFor({scale, projector != 0});
  std::string out;
  switchsim::JsonWriter(out).Open('{').Key("scale").Number(text.scale).Key("bold").Bool(text.bold).Close('}');
  return Returned(std::move(out));
}
/// The query of a link to the page as it is, with the view's zoom and projector.
const char* ss_share_query(const char* zoom, int projector) {
  const auto read = switchsim::ReadZoom(zoom);
  return Returned(Form()->ShareQuery(read.value_or(switchsim::Zoom{}), projector != 0));
}
/// The HTML of a frame that shows the page at `address`, escaped, whose run
/// bar is `run_bar_px` CSS px high.
const char* ss_embed_snippet(const char* address, int run_bar_px) {
  return Returned(switchsim::EmbedSnippet(address, run_bar_px));
}
/// `text` quoted as every message quotes a value: at most 40 characters, then "…".
const char* ss_quoted(const char* text) { return Returned(switchsim::Quoted(text)); }

const char* ss_describe() { return Returned(switchsim::DescribeForm()); }
/// The form as it shows now as an SVG document, with the margins' time
/// scale, marker labels and marker edges where their flags are not 0.
const char* ss_svg_picture(int time_scale, int marker_labels, int marker_edges) {
  return Returned(
      Form()->SvgPicture({time_scale != 0, marker_labels != 0, marker_edges != 0}));
}
const char* ss_state() { return Returned(Form()->State()); }
const char* ss_clock_text() { return Returned(Form()->classroom().ClockText()); }
int ss_clock_ms() { return Form()->logic().simulation().State().ClockMs; }
double ss_changes() { return static_cast<double>(Form()->Changes()); }
/// The notices after the first `count`, as one text to be read aloud.
const char* ss_notices_since(int count) {
  return Returned(Form()->classroom().NoticesSince(count));
}

void ss_set_box(int kind, int link, const char* text, double now_ms) {
  if (!ValidBox(kind, link)) return;
  Form()->UserSetBox({static_cast<switchsim::BoxKind>(kind), link}, text, now_ms);
}
/// The user typed the packet size (`header` 0) or the header size, in blocks.
void ss_set_packeting(int header, const char* text) { Form()->UserSetPacketing(header != 0, text); }
void ss_finish_rate(int link, double now_ms) { Form()->UserFinishedRate(link, now_ms); }
void ss_click(int button, double now_ms) { Form()->Click(button, now_ms); }
void ss_step(double now_ms) { Form()->Step(now_ms); }
/// Says the clock and the run's state as a notice.
void ss_say_clock() { Form()->classroom().SayClock(); }
int ss_frame(double now_ms) { return Form()->RunDueTicks(now_ms); }
void ss_set_speed(int index, double now_ms) { Form()->SetSpeedIndex(index, now_ms); }

/// The drawing steps waiting, as doubles in the module's memory.
const double* ss_draw_steps() { return Form()->DrawSteps().data(); }
int ss_draw_step_count() {
  return static_cast<int>(Form()->DrawSteps().size()) / switchsim::kDrawStepSize;
}
void ss_take_draw_steps() { Form()->TakeDrawSteps(); }

const char* ss_results() { return Returned(Form()->ResultsJson()); }
const char* ss_results_csv() { return Returned(switchsim::ResultsCsv(Form()->classroom().Results())); }
const char* ss_results_text() {
  return Returned(switchsim::ResultsText(Form()->classroom().Results()));
}
const char* ss_timing() { return Returned(Form()->TimingJson()); }
const char* ss_timing_csv() { return Returned(switchsim::TimingCsv(Form()->classroom().TimingRows())); }
/// Counts the changes of the timing table, so that the page shows it anew only then.
double ss_timing_revision() { return static_cast<double>(Form()->classroom().TimingRevision()); }
const char* ss_run_log() { return Returned(Form()->classroom().RunLogText()); }
const char* ss_guide() {
  const bool numbers = Form()->classroom().Shown().guide_numbers;
  return Returned(switchsim::ReadingGuideHtml(switchsim::ChosenModel(Form()->logic()), numbers));
}

/// Holds the set of exercises in `text` aside; "" or why it is refused.
const char* ss_exercise_read_sheet(const char* text) {
  return Returned(Exercises().ReadSheet(text));
}
/// "" or why a sheet of `bytes` bytes is not read at all.
const char* ss_exercise_size_refusal(double bytes) {
  if (bytes <= static_cast<double>(switchsim::kMostSheetBytes)) return Returned("");
  constexpr std::size_t kBytesPerMiB = 1024 * 1024;
  return Returned(switchsim::Fill(switchsim::Tr("The file is too large for a set of exercises: at most {0} MiB"),
                                  {std::to_string(switchsim::kMostSheetBytes / kBytesPerMiB)}));
}
/// "" or why the page does not load the sheet a link names.
const char* ss_exercise_address_refusal(const char* name) {
  return Returned(switchsim::SheetAddressRefusal(name).value_or(""));
}
/// Holds aside the one exercise the link taken asks for; "" or why not.
const char* ss_exercise_read_link() {
  const auto& sheet = Form()->LinkSheet();
  return Returned(sheet ? Exercises().Hold(*sheet) : switchsim::Tr("The link asks for no prediction"));
}
/// Holds the built-in course aside.
void ss_exercise_read_course(const char* name) { Exercises().ReadCourse(name); }
/// The key the progress of the set held aside is kept under.
const char* ss_exercise_held_key() { return Returned(Exercises().HeldKey()); }
/// Opens the set held aside with the progress the page kept for it.
void ss_exercise_open_held(const char* stored) {
  OnExercises([stored](switchsim::WebExercises& e) { e.OpenHeld(stored); });
}
void ss_exercise_close() { OnExercises([](switchsim::WebExercises& e) { e.Close(); }); }
const char* ss_exercise_state() { return Returned(Exercises().State()); }
double ss_exercise_revision() { return static_cast<double>(Exercises().Revision()); }
void ss_exercise_commit(const char* typed) {
  OnExercises([typed](switchsim::WebExercises& e) { e.Commit(typed); });
}
void ss_exercise_retry() { OnExercises([](switchsim::WebExercises& e) { e.Retry(); }); }
void ss_exercise_next() { OnExercises([](switchsim::WebExercises& e) { e.Next(); }); }
void ss_exercise_start_again() { OnExercises([](switchsim::WebExercises& e) { e.StartAgain(); }); }
const char* ss_exercise_csv() { return Returned(Exercises().ProgressCsv()); }
void ss_exercise_show_hint() { OnExercises([](switchsim::WebExercises& e) { e.ShowHint(); }); }
const char* ss_exercise_start_again_question() { return Returned(Exercises().flow().StartAgainQuestion()); }

/// The parameters a curve can run along: [{"name", "label", "from", "to", "step"}].
const char* ss_sweep_choices() {
  std::string out;
  switchsim::JsonWriter json(out);
  json.Open('[');
  for (const switchsim::SweepChoice& c : switchsim::SweepChoices()) {
    json.Open('{').Key("name").Text(c.name).Key("label").Text(switchsim::Tr(c.label)).Key("from").Text(c.from);
    json.Key("to").Text(c.to).Key("step").Text(c.step).Close('}');
  }
  json.Close(']');
  return Returned(out);
}
/// Begins a sweep of the range `spec` ("PARAM=FROM:TO[:STEP]") around the
/// boxes as they are now, with `seeds` seeds; "" or the line that says what
/// is refused.
const char* ss_sweep_begin(const char* spec, const char* seeds) {
  return Returned(Explore().Begin(spec, seeds, switchsim::ChosenParameters(Form()->logic(), 1)));
}
/// Makes at most `max_runs` more runs; the number made in all.
int ss_sweep_step(int max_runs) {
  return static_cast<int>(Explore().Step(static_cast<std::size_t>(max_runs < 0 ? 0 : max_runs)));
}
int ss_sweep_total() { return static_cast<int>(Explore().RunCount()); }
const char* ss_sweep_drawing() { return Returned(Explore().DrawingJson()); }
const char* ss_sweep_svg() { return Returned(Explore().Svg()); }
const char* ss_sweep_csv() { return Returned(Explore().Csv()); }
const char* ss_sweep_table() { return Returned(Explore().TableJson()); }
/// What a press at (x, y) px of the curve picks, by a finger if `touch`, on
/// the curve shown at `shown_scale` CSS px per px: {"run"}, {"say"} or {}.
const char* ss_sweep_pick(double x, double y, int touch, double shown_scale) {
  return Returned(Explore().PickJson(x, y, touch != 0, shown_scale));
}
/// Starts run `index` of the sweep in the form; "" or why the form cannot.
const char* ss_sweep_open(int index, double now_ms) {
  const auto parameters = Explore().ParametersOf(index);
  if (!parameters) return Returned("");
  return Returned(Form()->StartRun(*parameters, now_ms));
}

// The labs: `lab` is 0 for the shared link, 1 for the queue.
/// The lab's title and boxes: {"title", "fields": [{"name", "label", "value", "help"}]}.
const char* ss_lab_fields(int lab) { return Returned(Labs().FieldsJson(lab)); }
/// Takes `text` for the box `name`; "" or why it is refused, the box keeping its value.
const char* ss_lab_set(int lab, const char* name, const char* text) {
  return Returned(Labs().Set(lab, name, text));
}
/// Starts a run of the lab's setting; "" or why it cannot run.
const char* ss_lab_start(int lab) { return Returned(Labs().Start(lab)); }
/// Makes the next slice of the lab's run; 1 while it goes on.
int ss_lab_run_slice(int lab) { return Labs().RunSlice(lab) ? 1 : 0; }
/// The share of the lab's run made, 0 to 1.
double ss_lab_progress(int lab) { return Labs().Progress(lab); }
/// {"running", "hasRun", "progress", "revision"}.
const char* ss_lab_state(int lab) { return Returned(Labs().StateJson(lab)); }
/// The lab's run so far as a drawing, as ss_sweep_drawing's; "null" before a run.
const char* ss_lab_picture(int lab) { return Returned(Labs().PictureJson(lab)); }
/// The lab's figures: [{"label", "text"}].
const char* ss_lab_figures(int lab) { return Returned(Labs().FiguresJson(lab)); }
/// The lab's run as switchsim-trace --json prints it; "" before a run.
const char* ss_lab_json(int lab) { return Returned(Labs().Json(lab)); }
/// The query of the link that opens the lab with its setting and runs it.
const char* ss_lab_query(int lab) { return Returned(Labs().Query(lab)); }
/// Opens the lab the link taken asks for with its values and starts its run;
/// the lab's number, or -1 for a link of no lab.
int ss_lab_open_link() {
  const auto& request = Form()->LinkLab();
  return request ? Labs().Apply(*request) : -1;
}
/// Starts the lab's curve over `range` ("FROM:TO:STEP") with `seeds` seeds
/// as typed; "" or why it cannot be drawn.
const char* ss_lab_start_curve(int lab, const char* range, const char* seeds) {
  return Returned(Labs().StartCurve(lab, range, seeds));
}
/// Makes the next slice of the lab's curve; 1 while it goes on.
int ss_lab_curve_slice(int lab) { return Labs().RunCurveSlice(lab) ? 1 : 0; }
/// The lab's curve so far as a drawing, as ss_sweep_drawing's; "null" when it shows none.
const char* ss_lab_curve_picture(int lab) { return Returned(Labs().CurvePictureJson(lab)); }
/// The lab's curve as switchsim-trace --sweep prints it with --svg and --csv, and as its table.
const char* ss_lab_curve_svg(int lab) { return Returned(Labs().CurveSvg(lab)); }
const char* ss_lab_curve_csv(int lab) { return Returned(Labs().CurveCsv(lab)); }
const char* ss_lab_curve_table(int lab) { return Returned(Labs().CurveTable(lab)); }
/// Follows the form: 1 while a question waits and the labs are held, else 0.
int ss_lab_held() { return Labs().Held() ? 1 : 0; }
int ss_lab_notice_count() { return Labs().NoticeCount(); }
/// The labs' notices after the first `count`, as one text to be read aloud.
const char* ss_lab_notices_since(int count) { return Returned(Labs().NoticesSince(count)); }

}  // extern "C"
