#include "web/web_labs.h"

#include <algorithm>
#include <string_view>

#include "form/run_choice.h"
#include "text/json_writer.h"
#include "text/translation.h"
#include "web/drawing_json.h"

namespace switchsim {

namespace {

/// Each lab's curve as the section first offers it, in the order of the labs.
inline constexpr std::array<std::string_view, 2> kCurveRanges = {"5:60:5", "0.1:0.95:0.05"};
inline constexpr std::string_view kCurveSeeds = "1";

/// Whether `session` shows a curve: it has drawn one and is not held.
bool ShowsCurve(const LabSession& session) { return !session.CurveCsv().empty(); }

}  // namespace

WebLabs::WebLabs() : labs_{LabSession(LabKind::Share), LabSession(LabKind::Queue)} {}

LabSession* WebLabs::Lab(int lab) {
  return lab >= 0 && lab < static_cast<int>(labs_.size()) ? &labs_[static_cast<std::size_t>(lab)] : nullptr;
}

const LabSession* WebLabs::Lab(int lab) const {
  return lab >= 0 && lab < static_cast<int>(labs_.size()) ? &labs_[static_cast<std::size_t>(lab)] : nullptr;
}

void WebLabs::Heard(const LabSession& session) {
  int& heard = heard_[session.Kind() == LabKind::Share ? 0 : 1];
  // Each call says at most one notice; the last is the one to hear.
  if (session.NoticeCount() != heard) notices_.push_back(session.Notice());
  heard = session.NoticeCount();
}

std::string WebLabs::FieldsJson(int lab) const {
  const LabSession* session = Lab(lab);
  if (session == nullptr) return "null";
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("title").Text(session->Title()).Key("fields").Open('[');
  for (const LabField& field : session->Fields()) {
    json.Open('{').Key("name").Text(field.name).Key("label").Text(field.label);
    json.Key("value").Text(field.value).Key("help").Text(field.help).Close('}');
  }
  json.Close(']').Key("curveRange").Text(std::string(kCurveRanges[static_cast<std::size_t>(lab)]));
  json.Key("curveSeeds").Text(std::string(kCurveSeeds)).Close('}');
  return out;
}

std::string WebLabs::Set(int lab, const std::string& name, const std::string& text) {
  LabSession* session = Lab(lab);
  if (session == nullptr) return Tr("There is no such lab");
  const auto refusal = session->Set(name, text);
  Heard(*session);
  return refusal.value_or("");
}

std::string WebLabs::Start(int lab) {
  LabSession* session = Lab(lab);
  if (session == nullptr) return Tr("There is no such lab");
  const auto refusal = session->Start();
  Heard(*session);
  return refusal.value_or("");
}

bool WebLabs::RunSlice(int lab) {
  LabSession* session = Lab(lab);
  if (session == nullptr) return false;
  const bool goes_on = session->RunSlice();
  Heard(*session);
  return goes_on;
}

double WebLabs::Progress(int lab) const {
  const LabSession* session = Lab(lab);
  return session == nullptr ? 0.0 : session->Progress();
}

std::string WebLabs::StateJson(int lab) const {
  const LabSession* session = Lab(lab);
  if (session == nullptr) return "null";
  std::string out;
  JsonWriter json(out);
  json.Open('{').Key("running").Bool(session->Running()).Key("hasRun").Bool(session->HasRun());
  json.Key("progress").Number(session->Progress()).Key("revision").Unsigned(session->Revision());
  json.Key("curveRunning").Bool(session->CurveRunning()).Key("hasCurve").Bool(ShowsCurve(*session));
  json.Key("curveProgress").Number(session->CurveProgress());
  json.Key("held").Text(session->Held() ? switchsim::Tr(kLabHeldNotice) : std::string()).Close('}');
  return out;
}

std::string WebLabs::PictureJson(int lab) const {
  const LabSession* session = Lab(lab);
  return session != nullptr && session->HasRun() ? DrawingJson(session->Picture()) : std::string("null");
}

std::string WebLabs::FiguresJson(int lab) const {
  std::string out;
  JsonWriter json(out);
  json.Open('[');
  if (const LabSession* session = Lab(lab)) {
    for (const LabelledLine& line : session->Figures()) {
      json.Open('{').Key("label").Text(line.label).Key("text").Text(line.text).Close('}');
    }
  }
  json.Close(']');
  return out;
}

std::string WebLabs::Json(int lab) const {
  const LabSession* session = Lab(lab);
  return session == nullptr ? std::string() : session->Json();
}

std::string WebLabs::Query(int lab) const {
  const LabSession* session = Lab(lab);
  return session == nullptr ? std::string() : session->Query();
}

std::string WebLabs::StartCurve(int lab, const std::string& range, const std::string& seeds) {
  LabSession* session = Lab(lab);
  if (session == nullptr) return Tr("There is no such lab");
  int count = 1;
  if (const auto refusal = ChooseSeedCount(seeds, count); refusal && !session->Held()) {
    notices_.push_back(Fill(Tr("{0} curve: Seeds: {1}"), {session->Title(), *refusal}));
    return Fill(Tr("Seeds: {0}"), {*refusal});
  }
  const auto refusal = session->StartCurve(range, count);
  Heard(*session);
  return refusal.value_or("");
}

bool WebLabs::RunCurveSlice(int lab) {
  LabSession* session = Lab(lab);
  if (session == nullptr) return false;
  const bool goes_on = session->RunCurveSlice();
  Heard(*session);
  return goes_on;
}

std::string WebLabs::CurvePictureJson(int lab) const {
  const LabSession* session = Lab(lab);
  return session != nullptr && ShowsCurve(*session) ? DrawingJson(session->CurvePicture()) : std::string("null");
}

std::string WebLabs::CurveSvg(int lab) const {
  const LabSession* session = Lab(lab);
  return session == nullptr ? std::string() : session->CurveSvg();
}

std::string WebLabs::CurveCsv(int lab) const {
  const LabSession* session = Lab(lab);
  return session == nullptr ? std::string() : session->CurveCsv();
}

std::string WebLabs::CurveTable(int lab) const {
  const LabSession* session = Lab(lab);
  return session == nullptr ? std::string() : session->CurveTable();
}

void WebLabs::SetHeld(bool held) {
  for (LabSession& session : labs_) session.SetHeld(held);
}

int WebLabs::Apply(const RunRequest& request) {
  const int lab = request.queue ? 1 : 0;
  LabSession& session = labs_[static_cast<std::size_t>(lab)];
  session.Apply(request);
  Heard(session);
  return lab;
}

std::string WebLabs::NoticesSince(int count) const {
  std::string text;
  for (std::size_t i = static_cast<std::size_t>(std::clamp(count, 0, NoticeCount())); i < notices_.size(); ++i) {
    if (!text.empty()) text += ". ";
    text += notices_[i];
  }
  return text;
}

}  // namespace switchsim
