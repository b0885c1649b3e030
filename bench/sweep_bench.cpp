// A sweep as the driver and the page make it: 50 message sizes, three
// techniques, five seeds, every other parameter the form's default.
#include <benchmark/benchmark.h>

#include <variant>

#include "form/lists.h"
#include "explore/sweep.h"

namespace switchsim::bench {
namespace {

inline constexpr int kSeeds = 5;

void WholeSweep(benchmark::State& state) {
  const SweepRange spec = std::get<SweepRange>(ReadSweepRange("size=20:1000:20"));
  RunParameters base;
  base.size = lists::kDefaultSize;
  base.rates = {"1.0", "0.5", "1.0"};
  base.delays = {"50", "50", "50"};
  for (auto _ : state) {
    Sweep sweep(spec, base, 1, kSeeds);
    sweep.RunNext(sweep.RunCount());
    benchmark::DoNotOptimize(sweep.runs().back().simulated_ms);
  }
  state.counters["runs"] = static_cast<double>(spec.values.size() * 3 * kSeeds);
}

BENCHMARK(WholeSweep)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace switchsim::bench

BENCHMARK_MAIN();
