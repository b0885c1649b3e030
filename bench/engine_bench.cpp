// What a whole run of the engine costs, without any drawing: reset, set-up,
// and ticks until the timer stops itself.
#include <benchmark/benchmark.h>

#include "null_view.h"
#include "simulation/random_source.h"
#include "simulation/simulation.h"

namespace switchsim::bench {
namespace {

void WholeRun(benchmark::State& state, const char* technique) {
  NullView view;
  view.method = technique;
  Mt64Random random(1);
  Simulation simulation(view, random);
  long ticks = 0;
  for (auto _ : state) {
    simulation.ResetSimulation();
    simulation.SetUpTransfer();
    view.timer = true;
    while (view.timer) {
      simulation.SimulationTick();
      ++ticks;
    }
    benchmark::DoNotOptimize(simulation.State().ClockMs);
  }
  // Seconds per tick.
  state.counters["per_tick"] = benchmark::Counter(
      static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(WholeRun, Message, "Message")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WholeRun, Circuit, "Circuit")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WholeRun, Packet, "Packet")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace switchsim::bench

BENCHMARK_MAIN();
