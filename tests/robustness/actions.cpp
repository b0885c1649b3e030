#include "actions.h"

#include <array>
#include <string_view>

#include "form/lists.h"
#include "tools/options.h"

namespace switchsim::robustness {
namespace {

// Rate texts that sit at the edges of the number reading.
const std::vector<std::string>& EdgeTexts() {
  static const std::vector<std::string> texts = {
      "", " ", "   ", "\t", "0", "-0", "+0", "0.0", "1", "0.5", "2.0", "+2", "-2", "- 1", "+-1",
      "1e3", "1E-3", "1e", "1e+", "2.5e-1", ".5", "5.", ".", "-", "+", "e5", "1e308",
      "1.7976931348623157e308", "1.7976931348623159e308", "1e309", "-1e309", "1e-300",
      "2.2250738585072014e-308", "4.9e-324", "5e-324", "2e-324", "1e-400", "inf", "-inf",
      "Infinity", "nan", "NaN", "-nan", "0x10", "&H10", "1,5", "1.5.3", "2abc", " 3 ", "\t4",
      "1 2", "\xc2\xbd", "\xef\xbc\x93", "1\xd9\xab" "5", "\xe2\x88\x9e", "\xc3\xa9", "\xf0\x9f\x9a\x80",
      "\x01", "\x7f", "1\n2", "\r", std::string("1\0" "2", 3), "\xff\xfe", "\xc3", "10.0", "5.0",
      "1e-5", "1e20", "1e+20", "1e21", "0.1", "100000000000000000000000",
      std::string(400, '9'), "0." + std::string(330, '0') + "1", std::string(1000, '1'),
      "1e99999999999999999999", "1e-99999999999999999999", std::string(2000, 'x'),
      "." + std::string(50, '5'), std::string(40, ' ') + "7", "1" + std::string(30, '0') + "e-30"};
  return texts;
}

constexpr std::size_t kLongestTyped = 40;  // bytes

constexpr std::string_view kTextPieces[] = {
    "0", "1", "2", "5", "9", ".", "e", "E", "+", "-", " ", "\t", ",", "x", "n", "a", "i",
    "\xc3\xa9", "\xe2\x82\xac", "\xd9\xa3", "\n", "\x1b", "\x7f", "00", "e-", "e+3"};

// The driver's quoting, cut short for long texts so that a report stays readable.
std::string Quoted(const std::string& text) {
  const std::string quoted = switchsim::Quoted(text);
  if (quoted.size() <= 80) return quoted;
  return quoted.substr(0, 60) + "...(" + std::to_string(text.size()) + " bytes)\"";
}

template <std::size_t N>
std::string PickItem(Chooser& chooser, const std::array<std::string_view, N>& items) {
  return std::string(items[chooser.Pick(N)]);
}

}  // namespace

std::uint32_t SeededChooser::Pick(std::uint32_t count) {
  return static_cast<std::uint32_t>(engine_() % count);
}

std::uint32_t ByteChooser::Pick(std::uint32_t count) {
  std::uint32_t value = 0;
  const int bytes = count > 256 ? 2 : 1;
  for (int i = 0; i < bytes; ++i) {
    value = value << 8 | (next_ < bytes_.size() ? bytes_[next_] : 0U);
    ++next_;
  }
  return value % count;
}

std::string DrawRateText(Chooser& chooser) {
  const std::vector<std::string>& edges = EdgeTexts();
  if (chooser.Pick(2) == 0) return edges[chooser.Pick(static_cast<std::uint32_t>(edges.size()))];
  std::string text;
  const std::uint32_t pieces = chooser.Pick(10);
  for (std::uint32_t i = 0; i < pieces; ++i) text += kTextPieces[chooser.Pick(std::size(kTextPieces))];
  return text;
}

Action DrawAction(Chooser& chooser, const Alphabet& alphabet) {
  Action action;
  const std::uint32_t roll = chooser.Pick(100);
  action.link = static_cast<int>(chooser.Pick(kLinkCount));
  if (roll < 8) {
    action.kind = ActionKind::kPressStart;
  } else if (roll < 12) {
    action.kind = ActionKind::kPressPause;
  } else if (roll < 20) {
    action.kind = ActionKind::kChooseRate;
    action.text = PickItem(chooser, lists::kRateItems);
  } else if (roll < 26) {
    action.kind = ActionKind::kChooseDelay;
    action.text = PickItem(chooser, lists::kDelayItems);
  } else if (roll < 31) {
    action.kind = ActionKind::kChooseSize;
    action.text = PickItem(chooser, lists::kSizeItems);
  } else if (roll < 37) {
    action.kind = ActionKind::kChooseMethod;
    action.text = PickItem(chooser, lists::kMethodItems);
    if (alphabet.any_technique && chooser.Pick(4) == 0) {
      static constexpr std::array<std::string_view, 6> kOddTechniques = {
          "", "message", "Cell", "Circuit ", "Packet\n", "\xc3\x9c"};
      action.text = PickItem(chooser, kOddTechniques);
    }
  } else if (roll < 45) {
    // Nobody types thousands of keys: long texts come by pasting.
    action.text = DrawRateText(chooser);
    action.kind = action.text.size() > kLongestTyped ? ActionKind::kPasteRate : ActionKind::kTypeRate;
  } else if (roll < 49) {
    action.kind = ActionKind::kPasteRate;
    action.text = DrawRateText(chooser);
  } else if (roll < 53) {
    action.kind = ActionKind::kEnterRate;
  } else if (roll < 57) {
    action.kind = ActionKind::kLeaveRate;
  } else {
    action.kind = ActionKind::kTicks;
    const std::uint32_t span = chooser.Pick(20);
    action.ticks = span < 12 ? 1 : span < 19 ? 2 + static_cast<int>(chooser.Pick(40)) : kTicksForAWholeRun;
  }
  return action;
}

std::string Describe(const Action& action) {
  const std::string link = std::to_string(action.link);
  switch (action.kind) {
    case ActionKind::kPressStart: return "press cmdStart(0)";
    case ActionKind::kPressPause: return "press cmdStart(1)";
    case ActionKind::kChooseRate: return "choose " + Quoted(action.text) + " in rate box " + link;
    case ActionKind::kChooseDelay: return "choose " + Quoted(action.text) + " in delay box " + link;
    case ActionKind::kChooseSize: return "choose " + Quoted(action.text) + " as the message size";
    case ActionKind::kChooseMethod: return "choose " + Quoted(action.text) + " as the technique";
    case ActionKind::kTypeRate: return "type " + Quoted(action.text) + " into rate box " + link;
    case ActionKind::kPasteRate: return "paste " + Quoted(action.text) + " into rate box " + link;
    case ActionKind::kEnterRate: return "press Enter in rate box " + link;
    case ActionKind::kLeaveRate: return "move the focus away from rate box " + link;
    case ActionKind::kTicks: return std::to_string(action.ticks) + " tick(s)";
  }
  return "?";
}

std::vector<std::string> TypedPrefixes(const std::string& text) {
  std::vector<std::string> prefixes;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
    for (std::size_t j = 1; j < length; ++j) {
      if (i + j >= text.size() || (static_cast<unsigned char>(text[i + j]) & 0xc0) != 0x80) {
        length = 1;
        break;
      }
    }
    i += length;
    prefixes.push_back(text.substr(0, i));
  }
  return prefixes;
}

std::string Play(Session& session, Chooser& chooser, const Alphabet& alphabet, int max_actions) {
  std::string done;
  for (int i = 0; i < max_actions && !chooser.Exhausted(); ++i) {
    const Action action = DrawAction(chooser, alphabet);
    done += "  " + std::to_string(i + 1) + ". " + Describe(action) + "\n";
    const std::vector<std::string> violations = session.Do(action);
    if (violations.empty()) continue;
    std::string report = "after the actions\n" + done + "these do not hold:\n";
    for (const std::string& violation : violations) report += "  " + violation + "\n";
    return report;
  }
  return {};
}

}  // namespace switchsim::robustness
