// What a fresh page of memory costs this host: the price of every page a parse
// touches afresh, and so what decides how the large-file speeds of two hosts
// compare.

#include <benchmark/benchmark.h>
#include <cstddef>
#include <sys/mman.h>
#include <unistd.h>

namespace {

void freshPage(benchmark::State& state) {
    constexpr std::size_t pages = 4096;
    const auto pageSize = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    for (auto _ : state) {
        void* const memory = mmap(nullptr, pages * pageSize, PROT_READ | PROT_WRITE,
                                  MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) {
            state.SkipWithError("no memory to map");
            return;
        }
        auto* const bytes = static_cast<volatile char*>(memory);
        for (std::size_t page = 0; page < pages; ++page) {
            bytes[page * pageSize] = 1;
        }
        munmap(memory, pages * pageSize);
    }
    state.counters["time/page"] = benchmark::Counter(
        pages, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(freshPage)->Unit(benchmark::kMillisecond);
