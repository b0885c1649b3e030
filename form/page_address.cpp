#include "page_address.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

namespace switchsim {
namespace {

using Checker = std::function<std::optional<std::string>(const std::string&, PageRequest&)>;

struct Parameter {
  std::string_view name;
  Checker check;
};

std::optional<std::string> ChooseStart(const std::string& value, PageRequest& request) {
  // A bare "start" (no value) starts, as the command line's flag does.
  if (value.empty() || value == "1" || value == "true" || value == "yes") {
    request.start = true;
  } else if (value == "0" || value == "false" || value == "no") {
    request.start = false;
  } else {
    return Quoted(value) + " is not a yes or no; use 1 or 0";
  }
  return std::nullopt;
}

const std::array<Parameter, 7>& Parameters() {
  static const std::array<Parameter, 7> parameters = {{
      {"technique", [](const std::string& v, PageRequest& r) { return ChooseTechnique(v, r); }},
      {"size", [](const std::string& v, PageRequest& r) { return ChooseSize(v, r); }},
      {"rates", [](const std::string& v, PageRequest& r) { return ChooseRates(v, r); }},
      {"delays", [](const std::string& v, PageRequest& r) { return ChooseDelays(v, r); }},
      {"seed", [](const std::string& v, PageRequest& r) { return ChooseSeed(v, r); }},
      {"speed", [](const std::string& v, PageRequest& r) { return ChooseSpeed(v, r.speed); }},
      {"start", ChooseStart},
  }};
  return parameters;
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

std::string Names() {
  std::string names;
  for (const Parameter& parameter : Parameters()) {
    if (!names.empty()) names += ", ";
    names += parameter.name;
  }
  return names;
}

}  // namespace

bool PageRequest::Given(std::string_view name) const {
  return std::find(given.begin(), given.end(), name) != given.end();
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
      return "The link's " + Quoted(std::string(pair)) + " holds a broken %-escape";
    }
    const auto parameter =
        std::find_if(Parameters().begin(), Parameters().end(),
                     [&](const Parameter& candidate) { return candidate.name == *name; });
    if (parameter == Parameters().end()) {
      return "The link's " + Quoted(*name) + " is no parameter; use " + Names();
    }
    if (request.Given(*name)) return "The link gives " + *name + " more than once";
    if (const auto error = parameter->check(*value, request)) {
      return "The link's " + *name + ": " + *error;
    }
    request.given.push_back(*name);
  }
  return request;
}

void ChooseGivenBoxes(FormLogic& form, const PageRequest& request) {
  if (request.Given("size")) form.Choose(kSizeBox, request.size);
  for (int k = 0; k < kLinkCount; ++k) {
    if (request.Given("delays")) form.Choose(DelayBox(k), request.delays[k]);
    if (request.Given("rates")) form.Choose(RateBox(k), request.rates[k]);
  }
  if (request.Given("technique")) form.Choose(kMethodBox, request.technique);
}

}  // namespace switchsim
