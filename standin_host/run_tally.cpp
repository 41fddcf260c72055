#include "standin_host/run_tally.h"

#include <cstdio>
#include <numeric>

namespace standin {
namespace {

constexpr std::array<const char*, passKindCount> passKindNames = {
    "not carrying", "prompt removed", "entity check failed", "not completed", "thrown"};

std::string times(std::uint64_t count) {
    return std::to_string(count) + (count == 1 ? " time" : " times");
}

std::string millisecondsText(double milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f ms", milliseconds);
    return text;
}

} // namespace

void RunTally::timeFrame(std::uint32_t frame, double milliseconds) {
    if (milliseconds > longestFrameMilliseconds) {
        longestFrameMilliseconds = milliseconds;
        longestFrame = frame;
    }
}

void printTally(std::ostream& out, const RunTally& tally) {
    out << "frames: " << tally.frames << '\n';

    const std::uint64_t passes =
        std::accumulate(tally.passes.begin(), tally.passes.end(), std::uint64_t{0});
    out << "passes: " << passes << " (";
    for (std::size_t kind = 0; kind < passKindCount; ++kind) {
        out << (kind == 0 ? "" : ", ") << passKindNames[kind] << ' ' << tally.passes[kind];
    }
    out << ")\n";
    out << "prompts created: " << tally.promptsCreated << '\n';
    out << "natives: " << tally.natives << '\n';

    std::uint64_t pushes = 0;
    for (const auto& force : tally.forces) {
        pushes += force.second;
    }
    out << "pushes: " << pushes;
    for (const auto& [force, count] : tally.forces) {
        out << ", force " << force << ' ' << times(count);
    }
    out << '\n';

    out << "longest frame: " << millisecondsText(tally.longestFrameMilliseconds) << " (frame "
        << tally.longestFrame << ")\n";
}

} // namespace standin
