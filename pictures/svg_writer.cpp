#include "pictures/svg_writer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace switchsim {
namespace {

// A coordinate to a hundredth, without trailing zeros: "12", "12.5", "-0.25".
// Written from an integer, so that the text is the same in every build.
std::string Number(double value) {
  if (!std::isfinite(value)) return "0";
  const long long hundredths = std::llround(value * 100.0);
  const long long whole = (hundredths < 0 ? -hundredths : hundredths) / 100;
  long long fraction = (hundredths < 0 ? -hundredths : hundredths) % 100;
  std::string text = (hundredths < 0 ? "-" : "") + std::to_string(whole);
  if (fraction != 0) {
    text += '.';
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  }
  return text;
}

std::string Colour(Rgb colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(colour & 0xffffffU));
  return text;
}

// The length of the UTF-8 sequence `lead` starts, or 0 for a byte that starts none.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xc2 && lead <= 0xdf) return 2;
  if (lead >= 0xe0 && lead <= 0xef) return 3;
  if (lead >= 0xf0 && lead <= 0xf4) return 4;
  return 0;
}

// Character data for XML: markup characters escaped, control characters and
// broken UTF-8 left out (XML 1.0 allows neither).
std::string XmlText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int length = SequenceLength(byte);
    bool whole = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
    for (int j = 1; whole && j < length; ++j) {
      whole = (static_cast<unsigned char>(text[i + j]) & 0xc0U) == 0x80U;
    }
    if (!whole) {
      ++i;
      continue;
    }
    if (length == 1) {
      switch (byte) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
          if (byte >= 0x20 && byte != 0x7f) out += static_cast<char>(byte);
      }
    } else {
      out.append(text.substr(i, static_cast<std::size_t>(length)));
    }
    i += static_cast<std::size_t>(length);
  }
  return out;
}

std::string Stroke(const Pen& pen) {
  std::string attributes = " stroke=\"" + Colour(pen.colour) + "\" stroke-width=\"" + Number(pen.width) + "\"";
  if (pen.dashed) attributes += " stroke-dasharray=\"4 4\"";
  return attributes;
}

std::string Paint(bool filled, Rgb fill, bool outlined, const Pen& pen) {
  std::string attributes = filled ? " fill=\"" + Colour(fill) + "\"" : " fill=\"none\"";
  if (outlined) attributes += Stroke(pen);
  return attributes;
}

struct ItemWriter {
  std::string& svg;

  void operator()(const DrawLine& line) const {
    svg += "<line x1=\"" + Number(line.from.x) + "\" y1=\"" + Number(line.from.y) + "\" x2=\"" +
           Number(line.to.x) + "\" y2=\"" + Number(line.to.y) + "\"" + Stroke(line.pen) + "/>\n";
  }
  void operator()(const DrawPolyline& polyline) const {
    svg += "<polyline points=\"";
    for (std::size_t i = 0; i < polyline.points.size(); ++i) {
      if (i > 0) svg += ' ';
      svg += Number(polyline.points[i].x) + "," + Number(polyline.points[i].y);
    }
    svg += "\" fill=\"none\"" + Stroke(polyline.pen) + " stroke-linejoin=\"round\"/>\n";
  }
  void operator()(const DrawRect& rect) const {
    svg += "<rect x=\"" + Number(rect.x) + "\" y=\"" + Number(rect.y) + "\" width=\"" +
           Number(rect.width) + "\" height=\"" + Number(rect.height) + "\"" +
           Paint(rect.filled, rect.fill, rect.outlined, rect.pen) + "/>\n";
  }
  void operator()(const DrawCircle& circle) const {
    svg += "<circle cx=\"" + Number(circle.centre.x) + "\" cy=\"" + Number(circle.centre.y) +
           "\" r=\"" + Number(circle.radius) + "\"" +
           Paint(circle.filled, circle.fill, circle.outlined, circle.pen) + "/>\n";
  }
  void operator()(const DrawText& text) const {
    static constexpr const char* kAnchors[] = {"start", "middle", "end"};
    svg += "<text x=\"" + Number(text.at.x) + "\" y=\"" + Number(text.at.y) + "\" font-size=\"" +
           Number(text.size) + "\" fill=\"" + Colour(text.colour) + "\" text-anchor=\"" +
           kAnchors[static_cast<int>(text.align)] + "\"";
    if (text.bold) svg += " font-weight=\"bold\"";
    if (text.rotation != 0.0) {
      svg += " transform=\"rotate(" + Number(text.rotation) + " " + Number(text.at.x) + " " +
             Number(text.at.y) + ")\"";
    }
    svg += ">" + XmlText(text.text) + "</text>\n";
  }
};

}  // namespace

std::string SvgText(const Drawing& drawing) {
  const std::string width = Number(drawing.width);
  const std::string height = Number(drawing.height);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + width +
         "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
         "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\" role=\"img\">\n";
  svg += "<title>" + XmlText(drawing.title) + "</title>\n";
  if (!drawing.description.empty()) svg += "<desc>" + XmlText(drawing.description) + "</desc>\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"" + Colour(drawing.background) + "\"/>\n";
  const ItemWriter writer{svg};
  for (const DrawItem& item : drawing.items) std::visit(writer, item);
  svg += "</svg>\n";
  return svg;
}

}  // namespace switchsim
