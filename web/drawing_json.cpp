#include "web/drawing_json.h"

#include <cmath>
#include <string_view>
#include <variant>

#include "text/json_writer.h"

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

std::string DrawingJson(const Drawing& drawing) {
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

}  // namespace switchsim
