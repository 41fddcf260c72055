#pragma once

// Checks each frame's natives against the passes the throw loop can make,
// given what the host answered in that frame, and tallies them. A frame is one
// switch into the script: the rest of a pass after its first wait, or, after a
// throw, the push that follows the second wait.

#include "standin_host/host_session.h"
#include "standin_host/run_tally.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standin {

class CallWalk;

class PassAudit {
  public:
    explicit PassAudit(RunTally& tally) : tally_(tally) {}

    // What is wrong with this frame's calls, or nothing when they are what the
    // loop makes. Frames without calls are allowed until the first pass: the
    // script waits once after its settings load, or idles for good.
    std::optional<std::string> checkFrame(const HostAnswers& answers,
                                          const std::vector<RecordedCall>& calls);

  private:
    struct Throw {
        std::uint32_t character;
        std::uint32_t carried;
    };

    void checkPass(const HostAnswers& answers, CallWalk& walk);
    void checkPromptCreation(CallWalk& walk);
    void checkPush(CallWalk& walk);

    RunTally& tally_;
    bool passesBegun_ = false;
    std::optional<std::uint32_t> prompt_;
    std::optional<Throw> pendingPush_;
};

} // namespace standin
