#pragma once

// What a quiet run saw in place of the trace: frames, natives, the passes the
// throw loop made by kind, and the forces its pushes applied.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>

namespace standin {

// The ways one pass of the throw loop can end.
enum class PassKind { NotCarrying, PromptRemoved, EntityCheckFailed, NotCompleted, Thrown };
inline constexpr std::size_t passKindCount = 5;

struct RunTally {
    std::uint64_t frames = 0;
    std::uint64_t natives = 0;
    std::array<std::uint64_t, passKindCount> passes{};
    std::uint64_t promptsCreated = 0;
    // Each distinct force of applyForceToEntityCenterOfMass, written as the trace writes it.
    std::map<std::string, std::uint64_t> forces;
    double longestFrameMilliseconds = 0.0;
    std::uint32_t longestFrame = 0;

    void countPass(PassKind kind) { ++passes[static_cast<std::size_t>(kind)]; }
    std::uint64_t passCount(PassKind kind) const { return passes[static_cast<std::size_t>(kind)]; }
    void timeFrame(std::uint32_t frame, double milliseconds);
};

// One fact a line:
//   frames: 40
//   passes: 38 (not carrying 20, prompt removed 4, entity check failed 4, not completed 6, thrown
//   4) prompts created: 4 natives: 412 pushes: 4, force (20.0, 0.0, 8.5) 4 times longest
//   frame: 1.25 ms (frame 1)
void printTally(std::ostream& out, const RunTally& tally);

} // namespace standin
