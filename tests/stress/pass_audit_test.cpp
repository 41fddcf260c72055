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

// Where a call with this hash first occurs, as frame and call index. None,
// and a failure, where the real loop no longer makes it: the row can then
// break nothing, and must not index past a frame.
std::optional<std::pair<std::size_t, std::size_t>> find(const std::vector<AuditedFrame>& frames,
                                                        std::uint64_t hash) {
    for (std::size_t frame = 0; frame < frames.size(); ++frame) {
        const Frame& calls = frames[frame].calls;
        const auto found =
            std::find_if(calls.begin(), calls.end(),
                         [hash](const RecordedCall& call) { return call.hash == hash; });
        if (found != calls.end()) {
            return std::pair{frame, static_cast<std::size_t>(found - calls.begin())};
        }
    }
    ADD_FAILURE() << "the real frames make no call to " << standin::nativeName(hash);
    return std::nullopt;
}

struct Fault {
    const char* what;
    // The call the row breaks, looked up in the real frames first.
    std::uint64_t at;
    // Breaks the real frames at that call's frame and index; returns the
    // problem the audit must report, or none when the frames lack what the
    // row breaks.
    std::function<std::optional<std::string>(std::vector<AuditedFrame>&, std::size_t frame,
                                             std::size_t call)>
        inject;
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
    EXPECT_EQ(audit(frames), "the frame ends after 0 calls where standin_host/pass_audit.cpp "
                             "expects playerPedId next");
}

// The rows that move calls take the names from the real frames, so a change
// to the order of the creation or the release leaves them as they are.
TEST_F(PassAuditTest, NamesTheFirstCallOutOfOrder) {
    const std::vector<Fault> faults = {
        {"a creation without its label", natives::promptSetText,
         [](auto& frames, std::size_t frame, std::size_t call) -> std::optional<std::string> {
             auto& calls = frames[frame].calls;
             calls.erase(calls.begin() + static_cast<std::ptrdiff_t>(call));
             if (call == calls.size()) {
                 ADD_FAILURE() << "no call after promptSetText in its frame";
                 return std::nullopt;
             }
             return "call " + std::to_string(call + 1) + " of the frame is " +
                    standin::nativeName(calls[call].hash) +
                    " where standin_host/pass_audit.cpp expects promptSetText";
         }},
        {"the release's first two calls swapped", natives::applyForceToEntityCenterOfMass,
         [](auto& frames, std::size_t push, std::size_t) -> std::optional<std::string> {
             // The release follows the completion test in the frame before the push.
             auto& calls = frames[push == 0 ? 0 : push - 1].calls;
             const auto test = std::find_if(calls.begin(), calls.end(), [](const auto& c) {
                 return c.hash == natives::promptHasStandardModeCompleted;
             });
             if (push == 0 || calls.end() - test < 3) {
                 ADD_FAILURE() << "no completion test and two calls after it before the push";
                 return std::nullopt;
             }
             const std::size_t first = static_cast<std::size_t>(test - calls.begin()) + 1;
             std::swap(calls[first], calls[first + 1]);
             return "call " + std::to_string(first + 1) + " of the frame is " +
                    standin::nativeName(calls[first].hash) +
                    " where standin_host/pass_audit.cpp expects " +
                    standin::nativeName(calls[first + 1].hash);
         }},
        {"a push without the force", natives::applyForceToEntityCenterOfMass,
         [](auto& frames, std::size_t frame, std::size_t call) -> std::optional<std::string> {
             frames[frame].calls.erase(frames[frame].calls.begin() +
                                       static_cast<std::ptrdiff_t>(call));
             return "the frame ends after 1 call where standin_host/pass_audit.cpp "
                    "expects applyForceToEntityCenterOfMass next";
         }},
        {"the prompt left in place when the carrying ends", natives::promptDelete,
         [](auto& frames, std::size_t frame, std::size_t call) -> std::optional<std::string> {
             frames[frame].calls.resize(call);
             return "the frame ends after 2 calls where standin_host/pass_audit.cpp "
                    "expects promptDelete next";
         }},
        {"a removal with no prompt", natives::promptDelete,
         [](auto& frames, std::size_t frame, std::size_t call) -> std::optional<std::string> {
             frames.front().calls.push_back(frames[frame].calls[call]);
             return "the frame goes on with promptDelete after the calls "
                    "standin_host/pass_audit.cpp expects";
         }},
        {"a completion test on another prompt", natives::promptHasStandardModeCompleted,
         [](auto& frames, std::size_t frame, std::size_t call) -> std::optional<std::string> {
             frames[frame].calls[call].args[0] = 12;
             return "promptHasStandardModeCompleted: argument 1 is 12 where "
                    "standin_host/pass_audit.cpp expects 11";
         }},
        {"a force on the character instead of the carried entity",
         natives::applyForceToEntityCenterOfMass,
         [](auto& frames, std::size_t frame, std::size_t call) -> std::optional<std::string> {
             frames[frame].calls[call].args[0] = 7;
             return "applyForceToEntityCenterOfMass: argument 1 is 7 where "
                    "standin_host/pass_audit.cpp expects 42";
         }},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        SetUp();
        std::vector<AuditedFrame> frames = realEpisode();
        const auto found = find(frames, fault.at);
        if (!found) {
            continue;
        }
        if (const std::optional<std::string> problem =
                fault.inject(frames, found->first, found->second)) {
            EXPECT_EQ(audit(frames), *problem);
        }
    }
}
