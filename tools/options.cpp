#include "tools/options.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "text/translation.h"

namespace switchsim::trace {
namespace {

// The options that only a sweep reads (--csv: or the timing table), and those a sweep sets itself.
std::optional<std::string> SeedsOverflow(const Options& options) {
  if (options.Seed() && options.seed > std::numeric_limits<std::uint64_t>::max() - (options.seeds - 1)) {
    return Fill(Tr("--seeds: {0} seeds from {1} go past the largest seed, {2}"),
                {std::to_string(options.seeds), std::to_string(options.seed),
                 std::to_string(std::numeric_limits<std::uint64_t>::max())});
  }
  return std::nullopt;
}

std::optional<std::string> SweepConflict(const Options& options) {
  // A lab's options, its sweep's among them, were checked as the lab reads them.
  if (options.share || options.queue) return options.lab_sweep ? SeedsOverflow(options) : std::nullopt;
  if (!options.sweep) {
    for (const char* name : {"seeds"}) {
      if (options.Given(name)) {
        return Fill(Tr("{0}: goes with {1}, which was not asked for"), {"--" + std::string(name), "--sweep"});
      }
    }
    // --csv also prints the timing table of one run.
    if (options.csv && !options.timing) {
      return Tr("--csv: prints a table as CSV, but none was asked for; add --timing or --sweep");
    }
    return std::nullopt;
  }
  for (const char* name : {"technique", "json", "compare", "png", "additions", "timing"}) {
    if (options.Given(name)) {
      return Fill(Tr("{0}: does not go with --sweep, which runs all three techniques"), {"--" + std::string(name)});
    }
  }
  if (auto overflow = SeedsOverflow(options)) return overflow;
  const std::string swept = SweepParameterName(*options.sweep);
  if ((swept == "size" || swept == "packet" || swept == "header") && options.Given(swept)) {
    return Fill(Tr("{0}: --sweep {1}=... sets it itself"), {"--" + swept, swept});
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
      // The language of its messages goes with either.
      if (other == alone || other == "lang" || (alone == "check-exercises" && other == "json")) continue;
      return UsageError{Fill(Tr("{0}: {1} runs nothing; leave out {0}"), {"--" + other, "--" + std::string(alone)})};
    }
  }
  if (options.additions && !options.png && !options.svg) {
    return UsageError{Tr("--additions: draws into the pictures of --png and --svg, neither of which was asked for")};
  }
  if (options.png && options.svg && *options.png == *options.svg) {
    return UsageError{
        Fill(Tr("--svg: {0} is the file of --png too; give each picture a file of its own"), {Quoted(*options.svg)})};
  }
  if (auto error = SweepConflict(options)) return UsageError{*std::move(error)};
  if (options.timing && options.json) {
    return UsageError{Tr("--timing: prints a table, not JSON Lines; leave out --json")};
  }
  if (options.timing && options.compare) {
    return UsageError{Tr("--timing: prints the table of one run; leave out --compare")};
  }
  return std::move(options);
}

std::string HelpText() {
  return Tr("Usage: switchsim-trace [OPTION]...\n"
            "Runs one message across Transmit, Router A, Router B and Receive without a window\n"
            "and prints every step of the run: grants, releases, hand-overs, strokes and the\n"
            "completion.") + "\n" +
         "\n" + OptionHelp(FrontEnd::Driver) + "\n" +
         Tr("A rate R sends one block in 100 / R ms of clock; a delay d lets the first bit cross\n"
            "the link in 5 x d ms; a block is 20 units of message size.") + "\n" +
         "\n" +
         Tr("With --sweep PARAM=FROM:TO:STEP it runs all three techniques at each value of one\n"
            "parameter instead, each with --seeds seeds from --seed (default 1) on, and prints\n"
            "the simulated and the formula's completion times. PARAM is size, packet, header,\n"
            "rate1, rate2, rate3, delay1, delay2 or delay3 (link 1 is Transmit to Router A);\n"
            "a delay's sweep takes the delay list's values from FROM to TO. For example") + "\n" +
         "  switchsim-trace --sweep size=20:1000:20 --seeds 5 --csv\n"
         "\n" +
         Tr("With --share it runs many users on one link instead: how many reserved circuits\n"
            "serve, how often packets from all of them need more than the link (simulated\n"
            "slot by slot, and by the binomial formula), and the link's use, for example") + "\n" +
         "  switchsim-trace --share --users 35 --active 0.1 --user-rate 0.1 --link-rate 1\n" +
         Tr("With --queue it runs the queue at a router's output link: Poisson arrivals at\n"
            "traffic intensity RHO, the mean wait simulated and by the M/D/1 formula, the\n"
            "packets lost to a full buffer, for example") + "\n" +
         "  switchsim-trace --queue --intensity 0.9 --buffer 20 --json\n"
         "\n" +
         Tr("With --check-exercises FILE it checks a sheet of exercises (JSON, see the manual)\n"
            "and prints one line per exercise: its expected answer, what counts, what the\n"
            "class's run will show, and any warning, such as") + "\n" +
         "  " + Tr("3 completion Circuit 6050 ms; accepted 5747.5 to 6352.5 ms; simulated 6075 ms") + "\n" +
         Tr("With --json as well it writes the answer key as one JSON object.\n"
            "Exit status: 0 on success, 1 if a picture cannot be written, 2 for a bad option\n"
            "or a bad sheet.") + "\n";
}

}  // namespace switchsim::trace
