#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "form/choose_boxes.h"
#include "exercises/exercise.h"
#include "form/run_choice.h"
#include "form/speed.h"
#include "explore/lab_sweep.h"
#include "explore/sweep_range.h"
#include "look/zoom.h"
#include "queueing/queue_setting.h"
#include "sharing/share_setting.h"

namespace switchsim {

/// The front ends that take options: the driver's command line, the
/// window's command line, and a page's address.
enum class FrontEnd : unsigned { Driver = 1, Window = 2, Page = 4 };

/// Everything the options of any front end can ask for; each front end
/// reads the part it offers.
struct RunRequest : RunParameters {
  /// The options given, by name without dashes ("size", "start", ...), in
  /// the order given. A box whose option was not given keeps what the form loads.
  std::vector<std::string> given;
  double speed = kNormalSpeed;
  bool start = false;
  bool json = false;
  bool compare = false;
  bool timing = false;  // print the run's timing table instead of its steps
  std::optional<std::string> png;  // file to write a picture of the window to
  bool additions = false;          // the pictures show the margins' additions
  std::optional<SweepRange> sweep;  // completion time against one parameter, instead of one run
  std::optional<LabSweepRange> lab_sweep;  // a lab's figure against its users or intensity
  int seeds = 1;                   // runs of each point of a sweep, from the seed on
  bool csv = false;                // the table asked for as CSV
  std::optional<std::string> svg;  // file to write a vector picture to: the window, or the curve
  std::optional<std::string> exercises;        // a sheet of exercises to open
  std::optional<std::string> check_exercises;  // a sheet to check, instead of a run
  bool course = false;                         // print the built-in sheet, instead of a run
  bool predict = false;                        // the options make one exercise
  ExerciseAsk ask = ExerciseAsk::Completion;   // what it asks
  std::optional<double> tolerance;             // per cent; the exercises' default if not given
  std::optional<std::string> question;         // its own question; one for its kind if not given
  std::optional<Zoom> zoom;  // how large the form is shown; a front end's own choice if not given
  bool projector = false;    // drawn for a projector
  bool embed = false;        // a page in another page's frame: the form and a run bar only
  bool share = false;         // the shared link's lab instead of a run
  ShareSetting share_setting;  // its users, rates and slots (its seed is `seed`)
  bool queue = false;          // the queue's lab instead of a run
  QueueSetting queue_setting;  // its intensity, buffer and packets (its seed is `seed`)
  std::optional<std::string> language;  // a code of kLanguages; the system's or browser's choice if not given
  bool help = false;
  bool version = false;

  bool Given(std::string_view name) const;
  /// The seed given, or none: a fresh one.
  std::optional<std::uint64_t> Seed() const;
  /// Gives `seed`, as the option would.
  void SetSeed(std::uint64_t seed);
};

/// Chooses in the form the boxes whose option `request` was given (see
/// ChooseBoxes); the others keep what the form shows.
void ChooseGivenBoxes(FormLogic& form, const RunRequest& request);

/// One option of the table: a new option is one row. A value option sets
/// its part of the request with `set`, which returns nothing or one line
/// naming the value and what is allowed; a flag sets `flag`.
struct OptionRow {
  std::string_view name;   // without dashes: "--name" on a command line, "name=" in an address
  std::string_view value;  // what the value looks like ("NAME", "A,B,C"); empty for a flag
  std::string_view help;   // one line, for --help and the manual pages
  unsigned front_ends;     // FrontEnd bits
  std::optional<std::string> (*set)(const std::string& value, RunRequest& request) = nullptr;
  bool RunRequest::*flag = nullptr;
  std::string_view short_name = {};  // "-h" for help
};

/// An option that does not go with another one given: its name (without
/// dashes) and why, "an exercise starts its run once the answer is in", in
/// the language in use; "{0}" in the reason stands for the option predict,
/// which the front end names as it names options (Fill).
struct OptionConflict {
  std::string name;
  std::string reason;
};
/// The first conflict among the exercise options of `request`: start with
/// predict or exercises, ask, tolerance or question without predict, and
/// predict with exercises.
std::optional<OptionConflict> ExerciseConflict(const RunRequest& request);

/// Every option, in the order --help lists them.
std::span<const OptionRow> OptionTable();

/// Whether `row` is an option of `front_end`.
bool Offers(const OptionRow& row, FrontEnd front_end);

/// Reads a command line (without the program's name) for the driver or the
/// window: "--name VALUE", "--name=VALUE" and flags, each at most once.
/// Returns the request, or one line naming the option and the value and
/// saying what is allowed.
std::variant<RunRequest, std::string> ReadCommandLine(const std::vector<std::string>& args,
                                                      FrontEnd front_end);

/// The language a command line asks for with "--lang CODE" or "--lang=CODE",
/// read before the rest so that every later message is in it: nothing when
/// it asks for none or names no language (ReadCommandLine then refuses it).
std::optional<std::string> RequestedLanguage(const std::vector<std::string>& args);

/// The options of a front end as --help lists them, one line each:
/// "  --technique NAME  Message, Circuit or Packet (default Message)".
std::string OptionHelp(FrontEnd front_end);
/// The options' names for a refusal: "--technique, --size, ..., --version"
/// (a page's without dashes), every option but help.
std::string OptionNames(FrontEnd front_end);
/// The OPTIONS section of a front end's manual page, in roff.
std::string OptionManual(FrontEnd front_end);

}  // namespace switchsim
