#include "web/web_labs.h"

#include <algorithm>

#include "text/json_writer.h"
#include "web/drawing_json.h"

namespace switchsim {

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
  json.Close(']').Close('}');
  return out;
}

std::string WebLabs::Set(int lab, const std::string& name, const std::string& text) {
  LabSession* session = Lab(lab);
  if (session == nullptr) return "There is no such lab";
  const auto refusal = session->Set(name, text);
  Heard(*session);
  return refusal.value_or("");
}

std::string WebLabs::Start(int lab) {
  LabSession* session = Lab(lab);
  if (session == nullptr) return "There is no such lab";
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
  json.Key("progress").Number(session->Progress()).Key("revision").Unsigned(session->Revision()).Close('}');
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
