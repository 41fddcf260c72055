// Vaxo's INI parser against two peers, each reading the same file into its own
// stored form and then finding the file's last key, at three file sizes.

#include "bench/ini_sample.h"
#include "settings/ini/ini_parser.h"

// Debian ships SimpleIni with its template bodies behind SI_IMPLEMENTATION; upstream
// is header-only, and so it is compiled here, narrow characters only.
#define SI_IMPLEMENTATION
#define SI_NO_CONVERSION
#include <INIReader.h>
#include <SimpleIni.h>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>

namespace {

constexpr std::int64_t sampleSizes[] = {1 << 10, 1 << 20, 50 << 20};

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
    for (auto _ : state) {
        benchmark::DoNotOptimize(parse(sample));
    }
    const auto bytes = static_cast<std::int64_t>(sample.bytes);
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetComplexityN(bytes);
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
