// Vaxo's INI parser against two peers, each reading the same file into its own
// stored form and then finding the file's last key, at three file sizes. And
// the case of every game start: the plug-in's whole settings load of the
// 42-byte default Vaxo.ini, from the existence test to both floats, against
// each peer loading that file and reading both values as numbers.

#include "bench/ini_sample.h"
#include "settings/ini/ini_parser.h"
#include "settings/settings_loader.h"
#include "settings/throw_settings.h"

// Debian ships SimpleIni with its template bodies behind SI_IMPLEMENTATION; upstream
// is header-only, and so it is compiled here, narrow characters only.
#define SI_IMPLEMENTATION
#define SI_NO_CONVERSION
#include <INIReader.h>
#include <SimpleIni.h>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <filesystem>
#include <malloc.h>
#include <string>
#include <sys/resource.h>

namespace {

constexpr std::int64_t sampleSizes[] = {1 << 10, 1 << 20, 50 << 20};

// Minor page faults count the fresh memory a parse touches, in pages. Unlike
// time, they do not depend on how dear the host makes fresh memory.
long minorPageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Counts the pages of one run once the allocator has handed its free memory
// back, as a program's first parse finds it: what the parse needs. Then
// times the runs and counts again: what they touch there depends on how much
// of the last run's memory the allocator kept.
template <typename Run> void timeAndCountFaults(benchmark::State& state, Run run) {
    malloc_trim(0);
    const long beforeFirst = minorPageFaults();
    benchmark::DoNotOptimize(run());
    state.counters["first faults"] = static_cast<double>(minorPageFaults() - beforeFirst);
    const long before = minorPageFaults();
    for (auto _ : state) {
        benchmark::DoNotOptimize(run());
    }
    state.counters["faults"] = benchmark::Counter(static_cast<double>(minorPageFaults() - before),
                                                  benchmark::Counter::kAvgIterations);
}

std::string parseWithVaxo(const IniSample& sample) {
    IniDocument document;
    IniParser(sample.path).parse(document);
    return document.getOrInsert(sample.lastSection).getCopy(sample.lastKey);
}

std::string parseWithInih(const IniSample& sample) {
    const INIReader reader(sample.path.string());
    return reader.Get(sample.lastSection, sample.lastKey, "");
}

std::string parseWithSimpleIni(const IniSample& sample) {
    CSimpleIniA ini;
    ini.LoadFile(sample.path.c_str());
    return ini.GetValue(sample.lastSection.c_str(), sample.lastKey.c_str(), "");
}

template <typename Parse> void iniParse(benchmark::State& state, Parse parse) {
    const IniSample& sample = iniSample(static_cast<std::size_t>(state.range(0)));
    if (parse(sample) != sample.lastValue) {
        state.SkipWithError("the parser did not read the whole file");
        return;
    }
    timeAndCountFaults(state, [&] { return parse(sample); });
    const auto bytes = static_cast<std::int64_t>(sample.bytes);
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetComplexityN(bytes);
}

constexpr std::int64_t defaultFileBytes = 42;

float loadWithVaxo() {
    loadSettings();
    return throwSettings.forwardForce + throwSettings.upForce;
}

float loadWithInih() {
    const INIReader reader("Vaxo.ini");
    return static_cast<float>(reader.GetReal("settings", "forwardForce", 0.0) +
                              reader.GetReal("settings", "upForce", 0.0));
}

float loadWithSimpleIni() {
    CSimpleIniA ini;
    ini.LoadFile("Vaxo.ini");
    return static_cast<float>(ini.GetDoubleValue("settings", "forwardForce", 0.0) +
                              ini.GetDoubleValue("settings", "upForce", 0.0));
}

// Moves into a folder holding the default file, which the first settings load
// writes there as at a first start.
bool inDefaultFileFolder() {
    static const bool ready = [] {
        const std::filesystem::path folder = sampleFolder() / "game";
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        loadSettings();
        return std::filesystem::file_size("Vaxo.ini") == defaultFileBytes;
    }();
    return ready;
}

template <typename Load> void settingsLoad(benchmark::State& state, Load load) {
    if (!inDefaultFileFolder() || load() != 20.0f) {
        state.SkipWithError("the default file did not load as 15 and 5");
        return;
    }
    timeAndCountFaults(state, load);
    state.SetBytesProcessed(state.iterations() * defaultFileBytes);
}

void eachSampleSize(benchmark::internal::Benchmark* benchmark) {
    for (const std::int64_t size : sampleSizes) {
        benchmark->Arg(size);
    }
    // Long enough for a few parses of the largest file.
    benchmark->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
}

} // namespace

BENCHMARK_CAPTURE(iniParse, Vaxo, parseWithVaxo)->Apply(eachSampleSize);
BENCHMARK_CAPTURE(iniParse, inih, parseWithInih)->Apply(eachSampleSize);
BENCHMARK_CAPTURE(iniParse, SimpleIni, parseWithSimpleIni)->Apply(eachSampleSize);
BENCHMARK_CAPTURE(settingsLoad, Vaxo, loadWithVaxo)->Arg(defaultFileBytes);
BENCHMARK_CAPTURE(settingsLoad, inih, loadWithInih)->Arg(defaultFileBytes);
BENCHMARK_CAPTURE(settingsLoad, SimpleIni, loadWithSimpleIni)->Arg(defaultFileBytes);
