// The labs of a shared link: a multiplexing run of a million slots with a
// hundred users, and a queue of a million packets, as the driver makes them.
#include <benchmark/benchmark.h>

#include "queueing/queue_run.h"
#include "sharing/share_run.h"

namespace switchsim::bench {
namespace {

void SharedLink(benchmark::State& state) {
  const ShareSetting setting{100, 0.1, "0.1", "1", {}, 1'000'000, 1};
  for (auto _ : state) {
    ShareRun run(setting);
    run.RunNext(setting.slot_count);
    benchmark::DoNotOptimize(run.CongestedSlots());
  }
}

void Queue(benchmark::State& state) {
  const QueueSetting setting{0.9, {}, 1'000'000, 1.0, 1, 1};
  for (auto _ : state) {
    QueueRun run(setting);
    run.RunNext(setting.packets);
    benchmark::DoNotOptimize(run.Wait().Mean());
  }
}

BENCHMARK(SharedLink)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Queue)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace switchsim::bench

BENCHMARK_MAIN();
