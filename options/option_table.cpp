#include "options/option_table.h"

#include <algorithm>
#include <array>

#include "options/lab_options.h"
#include "simulation/numbers.h"
#include "text/languages.h"
#include "text/translation.h"

namespace switchsim {
namespace {

constexpr unsigned kDriver = static_cast<unsigned>(FrontEnd::Driver);
constexpr unsigned kWindow = static_cast<unsigned>(FrontEnd::Window);
constexpr unsigned kPage = static_cast<unsigned>(FrontEnd::Page);

std::string NotAFileName(const std::string& value) { return Fill(Tr("{0} is not a file name"), {Quoted(value)}); }

std::optional<std::string> SetPng(const std::string& value, RunRequest& request) {
  if (value.empty()) return NotAFileName(value);
  request.png = value;
  return std::nullopt;
}

std::optional<std::string> SetLanguage(const std::string& value, RunRequest& request) {
  const auto language = LanguageOfTag(value);
  if (!language) {
    return Fill(Tr("{0} is not a language switchsim speaks: {1}"), {Quoted(value), LanguageCodes()});
  }
  request.language = std::string(*language);
  return std::nullopt;
}

std::optional<std::string> SetSvg(const std::string& value, RunRequest& request) {
  if (value.empty()) return NotAFileName(value);
  request.svg = value;
  return std::nullopt;
}

std::optional<std::string> SetSweep(const std::string& value, RunRequest& request) {
  if (NamesLabSweep(value)) {
    auto lab = ReadLabSweepRange(value);
    if (auto* error = std::get_if<std::string>(&lab)) return *std::move(error);
    request.lab_sweep = std::get<LabSweepRange>(std::move(lab));
    return std::nullopt;
  }
  auto read = ReadSweepRange(value);
  if (auto* error = std::get_if<std::string>(&read)) return *std::move(error);
  request.sweep = std::get<SweepRange>(std::move(read));
  return std::nullopt;
}

std::optional<std::string> SetZoom(const std::string& value, RunRequest& request) {
  request.zoom = ReadZoom(value);
  if (!request.zoom) return ZoomRefusal(value);
  return std::nullopt;
}

std::optional<std::string> SetExercises(const std::string& value, RunRequest& request) {
  if (value.empty()) return NotAFileName(value);
  request.exercises = value;
  return std::nullopt;
}

std::optional<std::string> SetCheckExercises(const std::string& value, RunRequest& request) {
  if (value.empty()) return NotAFileName(value);
  request.check_exercises = value;
  return std::nullopt;
}

std::optional<std::string> SetAsk(const std::string& value, RunRequest& request) {
  const auto ask = AskNamed(value);
  if (!ask) {
    return Fill(Tr("{0} is not a kind of question; use completion, fastest, bottleneck or optimal-packet"),
                {Quoted(value)});
  }
  if (*ask == ExerciseAsk::Crossover || *ask == ExerciseAsk::WhichChange || IsLabAsk(*ask)) {
    return Fill(Tr("{0} needs a sheet, which gives its sweep, its changes or its lab; use completion, fastest, "
                   "bottleneck or optimal-packet"),
                {Quoted(value)});
  }
  request.ask = *ask;
  return std::nullopt;
}

std::optional<std::string> SetTolerance(const std::string& value, RunRequest& request) {
  const double percent = LeadingNumber(value);
  if (!ReadsWhole(value) || !(percent > 0.0 && percent <= kMostTolerancePercent)) {
    return Fill(Tr("{0} is not a tolerance; use a number of per cent above 0 and at most 100"), {Quoted(value)});
  }
  request.tolerance = percent;
  return std::nullopt;
}

std::optional<std::string> SetQuestion(const std::string& value, RunRequest& request) {
  if (value.empty() || value.size() > kMostQuestionBytes) {
    return Fill(Tr("{0} is not a question; give a text of 1 to 500 bytes"), {Quoted(value)});
  }
  request.question = value;
  return std::nullopt;
}

constexpr std::array<OptionRow, 44> kOptions = {{
    {"technique", "NAME", Mark("Message, Circuit or Packet (default Message)"), kDriver | kWindow | kPage,
     [](const std::string& v, RunRequest& r) { return ChooseTechnique(v, r); }},
    {"size", "N", Mark("message size: 100, 200, 300, 400, 500 or 1000 (default 300)"),
     kWindow | kPage, [](const std::string& v, RunRequest& r) { return ChooseSize(v, r); }},
    {"size", "N", Mark("message size: a multiple of 20 from 20 to 1000 (default 300)"),
     kDriver, [](const std::string& v, RunRequest& r) { return ChooseAnySize(v, r); }},
    {"rates", "A,B,C", Mark("the links' bit rates, each above 0 (default 1.0,0.5,1.0)"),
     kDriver | kWindow | kPage, [](const std::string& v, RunRequest& r) { return ChooseRates(v, r); }},
    {"delays", "A,B,C", Mark("the links' delays: 20, 50, 100 or 200 (default 50,50,50)"),
     kDriver | kWindow | kPage, [](const std::string& v, RunRequest& r) { return ChooseDelays(v, r); }},
    {"packet", "P", Mark("packet size in blocks of 20: 1 to 50 (default 2)"), kDriver | kWindow | kPage,
     [](const std::string& v, RunRequest& r) { return ChoosePacket(v, r); }},
    {"header", "H", Mark("header blocks added to every packet and message: 0 to 10 (default 0)"),
     kDriver | kWindow | kPage, [](const std::string& v, RunRequest& r) { return ChooseHeader(v, r); }},
    {"seed", "N", Mark("seed of the run's random numbers (default: a fresh one)"),
     kDriver | kWindow | kPage, [](const std::string& v, RunRequest& r) { return ChooseSeed(v, r); }},
    {"speed", "S", Mark("0.25, 0.5, 1, 2 or 4 times the normal pace (default 1)"),
     kWindow | kPage, [](const std::string& v, RunRequest& r) { return ChooseSpeed(v, r.speed); }},
    {"json", "", Mark("print the steps as JSON Lines instead of a table"), kDriver, nullptr,
     &RunRequest::json},
    {"compare", "",
     Mark("run all three techniques and compare them with the formulas"), kDriver,
     nullptr, &RunRequest::compare},
    {"timing", "", Mark("print when each unit's first and last bit left and arrived on each link"),
     kDriver, nullptr, &RunRequest::timing},
    {"png", "FILE", Mark("also write a picture of the window after the run(s) to FILE"), kDriver, SetPng},
    {"additions", "",
     Mark("draw the View menu's additions into the --png and --svg pictures"), kDriver,
     nullptr, &RunRequest::additions},
    {"sweep", "PARAM=FROM:TO:STEP",
     Mark("completion times of the three techniques against one parameter (below); with --share, "
     "users=FROM:TO:STEP, with --queue, intensity=FROM:TO:STEP"),
     kDriver, SetSweep},
    {"seeds", "N", Mark("runs of each point of --sweep, from the seed on: 1 to 100 (default 1)"), kDriver,
     [](const std::string& v, RunRequest& r) { return ChooseSeedCount(v, r.seeds); }},
    {"csv", "", Mark("print the table asked for as CSV"), kDriver, nullptr, &RunRequest::csv},
    {"svg", "FILE",
     Mark("also write a vector picture of the window after the run(s) to FILE (the curve with --sweep)"),
     kDriver, SetSvg},
    {"check-exercises", "FILE",
     Mark("check a sheet of exercises (or a course that comes with switchsim: builtin, sharing) and print each one's answer key (as JSON with --json)"), kDriver,
     SetCheckExercises},
    {"course", "", Mark("print the built-in exercises as a sheet file, a start for one's own"), kDriver,
     nullptr, &RunRequest::course},
    {"exercises", "FILE", Mark("open the sheet of exercises FILE, or a course that comes with switchsim: builtin or sharing"), kWindow,
     SetExercises},
    {"exercises", "FILE", Mark("open the sheet of exercises FILE of the same site, or a course that comes with switchsim: builtin or sharing"),
     kPage, SetExercises},
    {"predict", "", Mark("ask for a prediction before the run: an exercise of the options given"),
     kWindow | kPage, nullptr, &RunRequest::predict},
    {"ask", "KIND",
     Mark("what --predict asks: completion, fastest, bottleneck or optimal-packet (default completion)"),
     kWindow | kPage, SetAsk},
    {"tolerance", "PERCENT", Mark("how far a --predict answer may be off, in per cent (default 5)"),
     kWindow | kPage, SetTolerance},
    {"question", "TEXT", Mark("the question --predict asks (default: one for its kind)"), kWindow | kPage,
     SetQuestion},
    {"start", "", Mark("start the run at once"), kWindow | kPage, nullptr, &RunRequest::start},
    {"zoom", "Z", Mark("show the form at 100, 125, 150 or 200 per cent, or fit, or auto (fits a smaller space only)"),
     kWindow | kPage, SetZoom},
    {"projector", "", Mark("draw for a projector: heavier lines, larger bold margin text"), kWindow | kPage,
     nullptr, &RunRequest::projector},
    {"embed", "", Mark("show the form and a run bar only, for a frame in another page"), kPage, nullptr,
     &RunRequest::embed},
    {"share", "", Mark("instead of a run, many users on one link: circuits against packets (below)"), kDriver | kWindow | kPage,
     nullptr, &RunRequest::share},
    {"users", "N", Mark("with --share: users on the link, 1 to 1000 (default 35)"), kDriver | kWindow | kPage, SetUsers},
    {"active", "A", Mark("with --share: the share of the time a user is active, above 0 and below 1 (default 0.1)"),
     kDriver | kWindow | kPage, SetActive},
    {"user-rate", "R", Mark("with --share: a user's rate while active, in Mbps (default 0.1)"), kDriver | kWindow | kPage, SetUserRate},
    {"link-rate", "C", Mark("with --share: the link's rate, in Mbps (default 1)"), kDriver | kWindow | kPage, SetLinkRate},
    {"burst", "SLOTS", Mark("with --share: the mean active period in slots (default: each slot drawn afresh)"), kDriver | kWindow | kPage,
     SetBurst},
    {"slots", "S", Mark("with --share: slots to run, 1 to 10000000 (default 100000)"), kDriver | kWindow | kPage, SetSlots},
    {"queue", "", Mark("instead of a run, the queue at a router's output link (below)"), kDriver | kWindow | kPage, nullptr,
     &RunRequest::queue},
    {"intensity", "RHO", Mark("with --queue: the traffic intensity La/R, 0.05 to 0.99 (default 0.8)"), kDriver | kWindow | kPage,
     SetIntensity},
    {"buffer", "K", Mark("with --queue: packets that may wait while one is sent (default: no limit)"), kDriver | kWindow | kPage,
     SetBuffer},
    {"packets", "N", Mark("with --queue: packets to run, 1 to 10000000 (default 100000)"), kDriver | kWindow | kPage, SetPackets},
    {"lang", "CODE", Mark("the language of the texts a person reads: en, de or es (default: the system's)"),
     kDriver | kWindow | kPage, SetLanguage},
    {"help", "", Mark("show the options and exit"), kDriver | kWindow, nullptr, &RunRequest::help, "-h"},
    {"version", "", Mark("show the version and exit"), kDriver | kWindow, nullptr, &RunRequest::version},
}};

const OptionRow* Find(std::string_view name, FrontEnd front_end) {
  for (const OptionRow& row : kOptions) {
    if (!Offers(row, front_end)) continue;
    if (name == "--" + std::string(row.name) || (!row.short_name.empty() && name == row.short_name)) {
      return &row;
    }
  }
  return nullptr;
}

// The option's column of --help: "--technique NAME", "-h, --help".
std::string Synopsis(const OptionRow& row) {
  std::string text = row.short_name.empty() ? "" : std::string(row.short_name) + ", ";
  text += "--" + std::string(row.name);
  if (!row.value.empty()) text += " " + std::string(row.value);
  return text;
}

// Reads one argument at `i` (and its value, which may be the next one).
std::optional<std::string> ReadArgument(const std::vector<std::string>& args, std::size_t& i,
                                        FrontEnd front_end, RunRequest& request) {
  std::string name = args[i];
  std::optional<std::string> value;
  if (const std::size_t equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
    value = name.substr(equals + 1);
    name = name.substr(0, equals);
  }
  const OptionRow* row = Find(name, front_end);
  if (row == nullptr) {
    return Fill(Tr("{0} is not an option; see --help for {1}"), {Quoted(args[i]), OptionNames(front_end)});
  }
  const std::string canonical = "--" + std::string(row->name);
  if (request.Given(row->name)) return Fill(Tr("{0}: given more than once"), {canonical});
  request.given.emplace_back(row->name);
  if (row->flag != nullptr) {
    if (value) return Fill(Tr("{0}: takes no value, but was given {1}"), {name, Quoted(*value)});
    request.*(row->flag) = true;
    return std::nullopt;
  }
  if (!value) {
    if (i + 1 >= args.size()) return Fill(Tr("{0}: needs a value"), {name});
    value = args[++i];
  }
  if (const auto error = row->set(*value, request)) return name + ": " + *error;
  return std::nullopt;
}

// The first letter in capitals, and a full stop: the manual's sentences.
std::string Sentence(std::string_view help) {
  std::string text(help);
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text + ".";
}

// Roff takes a hyphen as "\-" where a minus sign or dash is meant.
std::string RoffDashes(std::string_view text) {
  std::string roff;
  for (const char c : text) roff += c == '-' ? std::string("\\-") : std::string(1, c);
  return roff;
}

}  // namespace

bool RunRequest::Given(std::string_view name) const {
  return std::find(given.begin(), given.end(), name) != given.end();
}

void ChooseGivenBoxes(FormLogic& form, const RunRequest& request) {
  ChooseBoxesWhere(form, request, [&request](std::string_view name) { return request.Given(name); });
}

std::optional<std::uint64_t> RunRequest::Seed() const {
  if (!Given("seed")) return std::nullopt;
  return seed;
}

void RunRequest::SetSeed(std::uint64_t value) {
  seed = value;
  if (!Given("seed")) given.emplace_back("seed");
}

std::span<const OptionRow> OptionTable() { return kOptions; }

std::optional<std::string> RequestedLanguage(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view value;
    if (args[i] == "--lang" && i + 1 < args.size()) {
      value = args[i + 1];
    } else if (args[i].starts_with("--lang=")) {
      value = std::string_view(args[i]).substr(7);
    } else {
      continue;
    }
    if (const auto language = LanguageOfTag(value)) return std::string(*language);
    return std::nullopt;
  }
  return std::nullopt;
}

bool Offers(const OptionRow& row, FrontEnd front_end) {
  return (row.front_ends & static_cast<unsigned>(front_end)) != 0;
}

std::optional<OptionConflict> ExerciseConflict(const RunRequest& request) {
  const bool exercise = request.predict || request.exercises;
  if (request.start && exercise) {
    return OptionConflict{"start", Tr("an exercise starts its run once the answer is in; leave it out")};
  }
  if (request.predict && request.exercises) {
    return OptionConflict{"predict", Tr("the sheet of exercises is asked instead; give one of them")};
  }
  for (const std::string_view name : {"ask", "tolerance", "question"}) {
    if (request.Given(name) && !request.predict) {
      // TRANSLATORS: {0} is the option predict, as the command line or the address names it.
      return OptionConflict{std::string(name), Tr("goes with {0}, which was not given")};
    }
  }
  if (request.Given("tolerance") && !UsesTolerance(request.ask)) {
    return OptionConflict{"tolerance", Tr("a question of choices is right or wrong; leave it out")};
  }
  return std::nullopt;
}

std::variant<RunRequest, std::string> ReadCommandLine(const std::vector<std::string>& args,
                                                      FrontEnd front_end) {
  RunRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (auto error = ReadArgument(args, i, front_end, request)) return *std::move(error);
  }
  if (const auto conflict = ExerciseConflict(request)) {
    return "--" + conflict->name + ": " + Fill(conflict->reason, {"--predict"});
  }
  if (auto refusal = LabRefusal(request, front_end)) return *std::move(refusal);
  return request;
}

std::string OptionHelp(FrontEnd front_end) {
  std::size_t width = 0;
  for (const OptionRow& row : kOptions) {
    if (Offers(row, front_end)) width = std::max(width, Synopsis(row).size());
  }
  std::string text;
  for (const OptionRow& row : kOptions) {
    if (!Offers(row, front_end)) continue;
    std::string synopsis = Synopsis(row);
    synopsis.resize(width, ' ');
    text += "  " + synopsis + "  " + Tr(row.help) + "\n";
  }
  return text;
}

std::string OptionNames(FrontEnd front_end) {
  const std::string dashes = front_end == FrontEnd::Page ? "" : "--";
  std::string names;
  for (const OptionRow& row : kOptions) {
    if (!Offers(row, front_end) || row.name == "help") continue;
    if (!names.empty()) names += ", ";
    names += dashes + std::string(row.name);
  }
  return names;
}

std::string OptionManual(FrontEnd front_end) {
  std::string roff = ".SH OPTIONS\n";
  for (const OptionRow& row : kOptions) {
    if (!Offers(row, front_end)) continue;
    roff += ".TP\n";
    const std::string name = "\\-\\-" + std::string(row.name);
    if (!row.short_name.empty()) {
      roff += ".BR " + RoffDashes(row.short_name) + " \", \" " + name + "\n";
    } else if (row.value.empty()) {
      roff += ".B " + name + "\n";
    } else {
      roff += ".BI " + name + " \" " + std::string(row.value) + "\"\n";
    }
    roff += RoffDashes(Sentence(Tr(row.help))) + "\n";
  }
  return roff;
}

}  // namespace switchsim
