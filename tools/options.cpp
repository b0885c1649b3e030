#include "tools/options.h"

#include <cstdint>
#include <limits>
#include <optional>


namespace switchsim::trace {
namespace {

// The options that only a sweep reads (--csv: or the timing table), and those a sweep sets itself.
std::optional<std::string> SeedsOverflow(const Options& options) {
  if (options.Seed() && options.seed > std::numeric_limits<std::uint64_t>::max() - (options.seeds - 1)) {
    return "--seeds: " + std::to_string(options.seeds) + " seeds from " + std::to_string(options.seed) +
           " go past the largest seed, 18446744073709551615";
  }
  return std::nullopt;
}

std::optional<std::string> SweepConflict(const Options& options) {
  // A lab's options, its sweep's among them, were checked as the lab reads them.
  if (options.share || options.queue) return options.lab_sweep ? SeedsOverflow(options) : std::nullopt;
  if (!options.sweep) {
    for (const char* name : {"seeds"}) {
      if (options.Given(name)) {
        return "--" + std::string(name) + ": goes with --sweep, which was not asked for";
      }
    }
    // --csv also prints the timing table of one run.
    if (options.csv && !options.timing) {
      return "--csv: prints a table as CSV, but none was asked for; add --timing or --sweep";
    }
    return std::nullopt;
  }
  for (const char* name : {"technique", "json", "compare", "png", "additions", "timing"}) {
    if (options.Given(name)) {
      return "--" + std::string(name) + ": does not go with --sweep, which runs all three techniques";
    }
  }
  if (auto overflow = SeedsOverflow(options)) return overflow;
  const std::string swept = SweepParameterName(*options.sweep);
  if ((swept == "size" || swept == "packet" || swept == "header") && options.Given(swept)) {
    return "--" + swept + ": --sweep " + swept + "=... sets it itself";
  }
  return std::nullopt;
}

}  // namespace

std::variant<Options, UsageError> ParseOptions(const std::vector<std::string>& args) {
  auto read = ReadCommandLine(args, FrontEnd::Driver);
  if (auto* error = std::get_if<std::string>(&read)) return UsageError{std::move(*error)};
  Options& options = std::get<Options>(read);
  for (const std::string_view alone : {"check-exercises", "course"}) {
    if (!options.Given(alone)) continue;
    for (const std::string& other : options.given) {
      if (other == alone || (alone == "check-exercises" && other == "json")) continue;
      return UsageError{"--" + other + ": --" + std::string(alone) + " runs nothing; leave out --" + other};
    }
  }
  if (options.additions && !options.png && !options.svg) {
    return UsageError{
        "--additions: draws into the pictures of --png and --svg, neither of which was asked for"};
  }
  if (options.png && options.svg && *options.png == *options.svg) {
    return UsageError{"--svg: " + Quoted(*options.svg) +
                      " is the file of --png too; give each picture a file of its own"};
  }
  if (auto error = SweepConflict(options)) return UsageError{*std::move(error)};
  if (options.timing && options.json) {
    return UsageError{"--timing: prints a table, not JSON Lines; leave out --json"};
  }
  if (options.timing && options.compare) {
    return UsageError{"--timing: prints the table of one run; leave out --compare"};
  }
  return std::move(options);
}

std::string HelpText() {
  return "Usage: switchsim-trace [OPTION]...\n"
         "Runs one message across Transmit, Router A, Router B and Receive without a window\n"
         "and prints every step of the run: grants, releases, hand-overs, strokes and the\n"
         "completion.\n"
         "\n" +
         OptionHelp(FrontEnd::Driver) +
         "\n"
         "A rate R sends one block in 100 / R ms of clock; a delay d lets the first bit cross\n"
         "the link in 5 x d ms; a block is 20 units of message size.\n"
         "\n"
         "With --sweep PARAM=FROM:TO:STEP it runs all three techniques at each value of one\n"
         "parameter instead, each with --seeds seeds from --seed (default 1) on, and prints\n"
         "the simulated and the formula's completion times. PARAM is size, packet, header,\n"
         "rate1, rate2, rate3, delay1, delay2 or delay3 (link 1 is Transmit to Router A);\n"
         "a delay's sweep takes the delay list's values from FROM to TO. For example\n"
         "  switchsim-trace --sweep size=20:1000:20 --seeds 5 --csv\n"
         "\n"
         "With --share it runs many users on one link instead: how many reserved circuits\n"
         "serve, how often packets from all of them need more than the link (simulated\n"
         "slot by slot, and by the binomial formula), and the link's use, for example\n"
         "  switchsim-trace --share --users 35 --active 0.1 --user-rate 0.1 --link-rate 1\n"
         "With --queue it runs the queue at a router's output link: Poisson arrivals at\n"
         "traffic intensity RHO, the mean wait simulated and by the M/D/1 formula, the\n"
         "packets lost to a full buffer, for example\n"
         "  switchsim-trace --queue --intensity 0.9 --buffer 20 --json\n"
         "\n"
         "With --check-exercises FILE it checks a sheet of exercises (JSON, see the manual)\n"
         "and prints one line per exercise: its expected answer, what counts, what the\n"
         "class's run will show, and any warning, such as\n"
         "  3 completion Circuit 6050 ms; accepted 5747.5 to 6352.5 ms; simulated 6075 ms\n"
         "With --json as well it writes the answer key as one JSON object.\n"
         "Exit status: 0 on success, 1 if a picture cannot be written, 2 for a bad option\n"
         "or a bad sheet.\n";
}

}  // namespace switchsim::trace
