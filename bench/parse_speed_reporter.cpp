#include "bench/parse_speed_reporter.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

// Both families name their runs "family/parser/bytes".
constexpr const char* families[] = {"iniParse/", "settingsLoad/"};
constexpr const char* ownParser = "Vaxo";

std::string sizeLabel(long bytes) {
    if (bytes >= (1 << 20)) {
        return std::to_string(bytes >> 20) + " MiB";
    }
    if (bytes >= (1 << 10)) {
        return std::to_string(bytes >> 10) + " KiB";
    }
    return std::to_string(bytes) + " B";
}

// The parser's name when the run is one of the families', else empty.
std::string parserOf(const std::string& name) {
    for (const std::string_view family : families) {
        if (name.rfind(family, 0) == 0) {
            return name.substr(family.size());
        }
    }
    return {};
}

// Google Benchmark 1.8 replaced a run's error_occurred (Debian 12 has 1.7)
// with skipped (Debian 13 has 1.9).
template <typename Run> auto failedOrSkipped(const Run& run, int) -> decltype(run.skipped != 0) {
    return run.skipped != 0;
}
template <typename Run> bool failedOrSkipped(const Run& run, long) {
    return run.error_occurred;
}

} // namespace

void ParseSpeedReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        const std::string parser = parserOf(run.run_name.function_name);
        const auto rate = run.counters.find("bytes_per_second");
        const auto firstFaults = run.counters.find("first faults");
        const auto faults = run.counters.find("faults");
        if (run.run_type != Run::RT_Iteration || failedOrSkipped(run, 0) || parser.empty() ||
            rate == run.counters.end() || firstFaults == run.counters.end() ||
            faults == run.counters.end()) {
            continue;
        }
        if (std::find(parsers.begin(), parsers.end(), parser) == parsers.end()) {
            parsers.push_back(parser);
        }
        figures[std::stol(run.run_name.args)][parser] = {
            rate->second.value, firstFaults->second.value, faults->second.value};
    }
}

void ParseSpeedReporter::Finalize() {
    ConsoleReporter::Finalize();
    if (figures.empty()) {
        return;
    }
    printSpeeds();
    printFaults();
}

void ParseSpeedReporter::printSpeeds() const {
    std::printf("\nINI parsing in MB/s (10^6 bytes a second); xN is %s's speed over the peer's.\n"
                "The byte-sized row is the whole load of the default Vaxo.ini.\n",
                ownParser);
    std::printf("%-10s", "file");
    for (const std::string& parser : parsers) {
        std::printf("%12s", parser.c_str());
    }
    for (const std::string& parser : parsers) {
        if (parser != ownParser) {
            std::printf("%14s", ("vs " + parser).c_str());
        }
    }
    std::printf("\n");
    for (const auto& [size, byParser] : figures) {
        std::printf("%-10s", sizeLabel(size).c_str());
        for (const std::string& parser : parsers) {
            const auto found = byParser.find(parser);
            std::printf("%12.1f",
                        found == byParser.end() ? 0.0 : found->second.bytesPerSecond / 1e6);
        }
        const auto own = byParser.find(ownParser);
        for (const std::string& parser : parsers) {
            const auto peer = byParser.find(parser);
            if (parser == ownParser) {
                continue;
            }
            if (own == byParser.end() || peer == byParser.end()) {
                std::printf("%14s", "-");
            } else {
                std::printf("%13.2fx", own->second.bytesPerSecond / peer->second.bytesPerSecond);
            }
        }
        std::printf("\n");
    }
}

void ParseSpeedReporter::printFaults() const {
    std::printf("\nPages a parse touches afresh (minor page faults): first, once the allocator\n"
                "has handed its free memory back; then on average in the timed loop, where\n"
                "they depend on how much of the last parse's memory the allocator kept.\n");
    std::printf("%-10s", "file");
    for (const std::string& parser : parsers) {
        std::printf("%22s", (parser + " first/loop").c_str());
    }
    std::printf("\n");
    for (const auto& [size, byParser] : figures) {
        std::printf("%-10s", sizeLabel(size).c_str());
        for (const std::string& parser : parsers) {
            const auto found = byParser.find(parser);
            if (found == byParser.end()) {
                std::printf("%22s", "-");
            } else {
                std::printf("%14.0f/%-7.0f", found->second.firstParseFaults,
                            found->second.faultsPerParse);
            }
        }
        std::printf("\n");
    }
}
