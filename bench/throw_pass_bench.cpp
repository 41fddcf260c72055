// One frame of the throw loop against a host whose natives cost nothing: what
// the plug-in itself costs a game frame, and proof that it never allocates.

#include "bench/null_host.h"
#include "tests/heap_counter/heap_counter.h"
#include "throw/throw_loop.h"

#include <benchmark/benchmark.h>
#include <cstddef>

namespace {

void timePasses(benchmark::State& state, bool carrying) {
    setNullHostCarrying(carrying);
    // Settles the prompt: a first carrying pass creates it, a first idle pass
    // removes it. The passes timed after it are the steady ones.
    runThrowPass();
    startHeapCount();
    for (auto _ : state) {
        runThrowPass();
    }
    const std::size_t allocations = stopHeapCount();
    state.counters["allocs/pass"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    if (allocations != 0) {
        state.SkipWithError("a pass allocated on the heap");
    }
}

void idlePass(benchmark::State& state) {
    timePasses(state, false);
}

void carryingPass(benchmark::State& state) {
    timePasses(state, true);
}

} // namespace

BENCHMARK(idlePass);
BENCHMARK(carryingPass);
