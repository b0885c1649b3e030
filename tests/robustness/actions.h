#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace switchsim::robustness {

/// Draws the numbers that make up actions: from a seeded generator for the
/// test suite, or from a fuzzer's bytes.
class Chooser {
 public:
  virtual ~Chooser() = default;
  /// A number from 0 to count - 1; count must be at least 1.
  virtual std::uint32_t Pick(std::uint32_t count) = 0;
  /// True once nothing more can be drawn.
  virtual bool Exhausted() const = 0;
};

/// Numbers from a 64-bit Mersenne Twister; never exhausted.
class SeededChooser final : public Chooser {
 public:
  explicit SeededChooser(std::uint64_t seed) : engine_(seed) {}
  std::uint32_t Pick(std::uint32_t count) override;
  bool Exhausted() const override { return false; }

 private:
  std::mt19937_64 engine_;
};

/// Numbers read from bytes, one byte for a count up to 256 and two above;
/// 0 once the bytes run out.
class ByteChooser final : public Chooser {
 public:
  explicit ByteChooser(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint32_t Pick(std::uint32_t count) override;
  bool Exhausted() const override { return next_ >= bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t next_ = 0;
};

/// What a user does to the window.
enum class ActionKind {
  kPressStart,    // cmdStart(0): "Start" or "Reset"
  kPressPause,    // cmdStart(1): "Pause" or "Cont"
  kChooseRate,    // a list entry of a rate box
  kChooseDelay,   // a list entry of a delay box
  kChooseSize,    // a list entry of the message-size box
  kChooseMethod,  // a technique, through the driver's view also one that is none of the three
  kTypeRate,      // types a text into a rate box, key by key, over what it held
  kPasteRate,     // pastes a text into a rate box over what it held
  kEnterRate,     // presses Enter in a rate box
  kLeaveRate,     // moves the focus away from a rate box
  kTicks,         // the timer ticks, as often as asked or until it stops
};

struct Action {
  ActionKind kind = ActionKind::kTicks;
  int link = 0;      // the rate or delay box's link
  std::string text;  // the entry chosen, or the text typed or pasted (UTF-8)
  int ticks = 0;     // for kTicks
};

/// Which actions a view can take: the driver's view takes any technique
/// text, the window only the three of its list.
struct Alphabet {
  bool any_technique = true;
};

/// Draws one action.
Action DrawAction(Chooser& chooser, const Alphabet& alphabet);
/// Draws a text to type into a rate box: a number of any form, empty,
/// blanks, signs, exponents, infinities, long texts, non-ASCII and control characters.
std::string DrawRateText(Chooser& chooser);

/// The action in words, for a failure message.
std::string Describe(const Action& action);

/// Splits a UTF-8 text into the texts a user has typed after each key:
/// one code point more each time (a broken sequence counts byte by byte).
std::vector<std::string> TypedPrefixes(const std::string& text);

/// Ticks that run a whole run from start to the timer's stop, and some.
inline constexpr int kTicksForAWholeRun = 610;

/// A simulation and its view that take actions as a user's and check, after
/// every step, what must always hold.
class Session {
 public:
  virtual ~Session() = default;
  /// Does the action; returns the violations found after it, or after the
  /// first of its steps that broke something.
  virtual std::vector<std::string> Do(const Action& action) = 0;
};

/// Draws up to `max_actions` actions (fewer once the chooser is exhausted)
/// and does them on `session`. Returns nothing when every check held, and
/// otherwise the actions done and the violations of the last of them.
std::string Play(Session& session, Chooser& chooser, const Alphabet& alphabet, int max_actions);

}  // namespace switchsim::robustness
