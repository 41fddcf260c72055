#include "settings/throw_settings.h"
#include "standin_host/native_catalog.h"
#include "standin_host/pass_audit.h"
#include "tests/fake_host/fake_host.h"
#include "tests/stress/real_pass_frames.h"
#include "throw/throw_prompt.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace natives = standin::natives;
using standin::PassKind;

// One frame as the audit sees it: the host's answers then, and the calls.
struct AuditedFrame {
    HostAnswers answers;
    Frame calls;
};

struct PassAnswers {
    bool carrying;
    bool entityValid;
    bool completed;
};

// Every way a pass can go, with a second throw while still carrying.
const std::vector<PassAnswers> episode = {
    {false, false, false}, // not carrying
    {true, false, false},  // prompt created, entity check failed
    {true, true, false},   // not completed
    {true, true, true},    // thrown
    {true, true, true},    // thrown again: the loop remembers no throw
    {false, true, false},  // prompt removed
    {false, true, false},  // not carrying
};

class PassAuditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tally = standin::RunTally{};
        fakeHost().reset();
        throwPrompt = ThrowPrompt{};
        throwSettings = ThrowSettings{};
        HostAnswers& answers = fakeHost().answers;
        answers.character = 7;
        answers.carried = 42;
        answers.promptGroup = 900;
        answers.forward = {1.0f, 0.0f, 0.0f};
        answers.promptHandles = {11};
    }

    // The frames the real loop makes over the episode.
    static std::vector<AuditedFrame> realEpisode() {
        std::vector<AuditedFrame> frames;
        for (const PassAnswers& pass : episode) {
            HostAnswers& answers = fakeHost().answers;
            answers.carrying = pass.carrying;
            answers.entityValid = pass.entityValid;
            answers.promptCompleted = pass.completed;
            for (Frame& calls : runRealPass()) {
                frames.push_back({answers, std::move(calls)});
            }
        }
        return frames;
    }

    // The audit's first problem over the frames, if any.
    std::optional<std::string> audit(const std::vector<AuditedFrame>& frames) {
        standin::PassAudit passAudit(tally);
        for (const AuditedFrame& frame : frames) {
            if (auto problem = passAudit.checkFrame(frame.answers, frame.calls)) {
                return problem;
            }
        }
        return std::nullopt;
    }

    standin::RunTally tally;
};

// Where a call with this hash first occurs, as frame and call index.
std::pair<std::size_t, std::size_t> find(const std::vector<AuditedFrame>& frames,
                                         std::uint64_t hash) {
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        const Frame& calls = frames[frame].calls;
        const auto found =
            std::find_if(calls.begin(), calls.end(),
                         [hash](const RecordedCall& call) { return call.hash == hash; });
        if (found != calls.end()) {
            return {frame, static_cast<std::size_t>(found - calls.begin())};
        }
    }
    ADD_FAILURE() << "no call " << hash;
    return {0, 0};
}

struct Fault {
    const char* what;
    std::function<void(std::vector<AuditedFrame>&)> inject;
    std::string problem;
};

} // namespace

TEST_F(PassAuditTest, TalliesEveryPassOfTheRealLoop) {
    const std::vector<AuditedFrame> frames = realEpisode();

    EXPECT_EQ(audit(frames), std::nullopt);

    EXPECT_EQ(tally.frames, frames.size());
    EXPECT_EQ(tally.passCount(PassKind::NotCarrying), 2u);
    EXPECT_EQ(tally.passCount(PassKind::EntityCheckFailed), 1u);
    EXPECT_EQ(tally.passCount(PassKind::NotCompleted), 1u);
    EXPECT_EQ(tally.passCount(PassKind::Thrown), 2u);
    EXPECT_EQ(tally.passCount(PassKind::PromptRemoved), 1u);
    EXPECT_EQ(tally.promptsCreated, 1u);
    EXPECT_EQ(tally.forces, (std::map<std::string, std::uint64_t>{{"(15.0, 0.0, 5.0)", 2}}));
}

TEST_F(PassAuditTest, FramesWithoutCallsPassOnlyBeforeTheFirstPass) {
    const std::vector<AuditedFrame> idle(3);
    EXPECT_EQ(audit(idle), std::nullopt);
    EXPECT_EQ(tally.frames, 3u);

    std::vector<AuditedFrame> frames = realEpisode();
    frames.insert(frames.begin(), idle.begin(), idle.end());
    frames.push_back({});
    EXPECT_EQ(audit(frames),
              "the frame ends after 0 calls where the throw loop makes playerPedId next");
}

TEST_F(PassAuditTest, NamesTheFirstCallOutOfOrder) {
    const std::vector<Fault> faults = {
        {"a creation without its label",
         [](auto& frames) {
             const auto [frame, call] = find(frames, natives::promptSetText);
             auto& calls = frames[frame].calls;
             calls.erase(calls.begin() + static_cast<std::ptrdiff_t>(call));
         },
         "call 6 of the frame is promptSetPriority where the throw loop makes promptSetText"},
        {"the release's second and third calls swapped",
         [](auto& frames) {
             const auto [frame, call] = find(frames, natives::clearPedTasks);
             std::swap(frames[frame].calls[call], frames[frame].calls[call + 1]);
         },
         "call 13 of the frame is setEntityDynamic where the throw loop makes clearPedTasks"},
        {"a push without the force",
         [](auto& frames) {
             const auto [frame, call] = find(frames, natives::applyForceToEntityCenterOfMass);
             frames[frame].calls.erase(frames[frame].calls.begin() +
                                       static_cast<std::ptrdiff_t>(call));
         },
         "the frame ends after 1 call where the throw loop makes applyForceToEntityCenterOfMass "
         "next"},
        {"the prompt left in place when the carrying ends",
         [](auto& frames) {
             const auto [frame, call] = find(frames, natives::promptDelete);
             frames[frame].calls.resize(call);
         },
         "the frame ends after 2 calls where the throw loop makes promptDelete next"},
        {"a removal with no prompt",
         [](auto& frames) {
             const auto [frame, call] = find(frames, natives::promptDelete);
             frames.front().calls.push_back(frames[frame].calls[call]);
         },
         "the frame goes on with promptDelete after the throw loop's calls"},
        {"a completion test on another prompt",
         [](auto& frames) {
             const auto [frame, call] = find(frames, natives::promptHasStandardModeCompleted);
             frames[frame].calls[call].args[0] = 12;
         },
         "promptHasStandardModeCompleted: argument 1 is 12 where the throw loop passes 11"},
        {"a force on the character instead of the carried entity",
         [](auto& frames) {
             const auto [frame, call] = find(frames, natives::applyForceToEntityCenterOfMass);
             frames[frame].calls[call].args[0] = 7;
         },
         "applyForceToEntityCenterOfMass: argument 1 is 7 where the throw loop passes 42"},
    };
    for (const Fault& fault : faults) {
        SetUp();
        std::vector<AuditedFrame> frames = realEpisode();
        fault.inject(frames);
        EXPECT_EQ(audit(frames), fault.problem) << fault.what;
    }
}
