#include "options/page_address.h"

#include <optional>

#include "look/layout.h"
#include "options/lab_options.h"
#include "simulation/numbers.h"
#include "text/text_escape.h"
#include "text/translation.h"

namespace switchsim {
namespace {

const OptionRow* Parameter(std::string_view name) {
  for (const OptionRow& row : OptionTable()) {
    if (Offers(row, FrontEnd::Page) && row.name == name) return &row;
  }
  return nullptr;
}

// A flag in an address: a bare "start" (no value) sets it, as the command
// line's flag does.
std::optional<std::string> SetFlag(const std::string& value, bool& flag) {
  if (value.empty() || value == "1" || value == "true" || value == "yes") {
    flag = true;
  } else if (value == "0" || value == "false" || value == "no") {
    flag = false;
  } else {
    return Fill(Tr("{0} is not a yes or no; use 1 or 0"), {Quoted(value)});
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

/// The text of a query's name or value: "+" is a space and "%hh" a byte.
std::optional<std::string> Decoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out += ' ';
    } else if (text[i] != '%') {
      out += text[i];
    } else {
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = HexDigit(text[i + 1]);
      const int low = HexDigit(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      out += static_cast<char>(high * 16 + low);
      i += 2;
    }
  }
  return out;
}


// A rate box's text for "A,B,C": the user's own rate while the circuit shows
// its own in red, and the number read where the text holds a comma.
std::string ShareRate(const FormLogic& form, int link) {
  if (form.RateColour(link) == kRed) return ShortestText(form.simulation().State().SavedRates[link]);
  const std::string text = form.RateText(link);
  if (text.find(',') == std::string::npos) return text;
  return ShortestText(form.simulation().TickRate(link));
}

}  // namespace

std::string QueryEncoded(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
        std::string_view("-._~,").find(c) != std::string_view::npos) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

std::string ShareQuery(const FormLogic& form, double speed, const Zoom& zoom, bool projector) {
  std::string rates;
  std::string delays;
  for (int k = 0; k < kLinkCount; ++k) {
    rates += (k == 0 ? "" : ",") + ShareRate(form, k);
    delays += (k == 0 ? "" : ",") + form.DelayText(k);
  }
  std::string query = "technique=" + QueryEncoded(form.MethodText()) +
                      "&size=" + QueryEncoded(form.MessageSizeText()) + "&rates=" + QueryEncoded(rates) +
                      "&delays=" + QueryEncoded(delays) + "&speed=" + ShortestText(speed);
  const Packeting& packeting = form.simulation().packeting();
  if (packeting != Packeting{}) {
    query += "&packet=" + std::to_string(packeting.packet_blocks) +
             "&header=" + std::to_string(packeting.header_blocks);
  }
  if (zoom.kind != Zoom::Kind::Auto) query += "&zoom=" + ZoomName(zoom);
  if (projector) query += "&projector=1";
  return query;
}

std::string EmbedSnippet(std::string_view address, int run_bar_px) {
  const int width = layout::Px(layout::kClientWidth);
  const int height = layout::Px(layout::kClientHeight) + run_bar_px;
  return "<iframe src=\"" + HtmlEscaped(address) + "\" title=\"" +
         HtmlEscaped(Tr("switchsim: message, circuit and packet switching")) + "\" width=\"" +
         std::to_string(width) + "\" height=\"" + std::to_string(height) +
         "\" style=\"border:0;max-width:100%\" loading=\"lazy\"></iframe>";
}

std::variant<PageRequest, std::string> ReadPageQuery(std::string_view query) {
  if (!query.empty() && query.front() == '?') query.remove_prefix(1);
  PageRequest request;
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    if (pair.empty()) continue;
    const std::size_t equals = pair.find('=');
    const auto name = Decoded(pair.substr(0, equals));
    const auto value =
        Decoded(equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1));
    if (!name || !value) {
      // xgettext:no-c-format
      return Fill(Tr("The link's {0} holds a broken %-escape"), {Quoted(std::string(pair))});
    }
    const OptionRow* parameter = Parameter(*name);
    if (parameter == nullptr) {
      return Fill(Tr("The link's {0} is no parameter; use {1}"), {Quoted(*name), OptionNames(FrontEnd::Page)});
    }
    if (request.Given(*name)) return Fill(Tr("The link gives {0} more than once"), {*name});
    const auto error = parameter->flag != nullptr ? SetFlag(*value, request.*(parameter->flag))
                                                  : parameter->set(*value, request);
    if (error) return Fill(Tr("The link's {0}: {1}"), {*name, *error});
    request.given.push_back(*name);
  }
  if (const auto conflict = ExerciseConflict(request)) {
    return Fill(Tr("The link's {0}: {1}"), {conflict->name, Fill(conflict->reason, {"predict"})});
  }
  if (auto refusal = LabRefusal(request, FrontEnd::Page)) return *std::move(refusal);
  return request;
}

}  // namespace switchsim
