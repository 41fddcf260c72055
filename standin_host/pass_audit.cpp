#include "standin_host/pass_audit.h"

#include "standin_host/native_catalog.h"
#include "standin_host/value_text.h"

#include <cstddef>
#include <initializer_list>

namespace standin {
namespace {

// A mismatch names this file as the other side: after a change to the loop
// made on purpose, it is the audit that is out of date.
const std::string expectation = "standin_host/pass_audit.cpp";

std::uint32_t low32(std::uint64_t value) {
    return static_cast<std::uint32_t>(value);
}

// "(20.0, 0.0, 8.5)" from applyForceToEntityCenterOfMass's three float arguments.
std::string forceText(const RecordedCall& push) {
    constexpr std::size_t firstComponent = 2;
    if (push.args.size() < firstComponent + 3) {
        return "(too few arguments)";
    }
    std::string text = "(";
    for (std::size_t index = firstComponent; index < firstComponent + 3; ++index) {
        text += (index == firstComponent ? "" : ", ") +
                floatText(floatFromBits(low32(push.args[index])));
    }
    return text + ")";
}

} // namespace

// Walks one frame's calls in order; the first mismatch is the frame's problem
// and ends all further checks.
class CallWalk {
  public:
    explicit CallWalk(const std::vector<RecordedCall>& calls) : calls_(calls) {}

    // The next call must be hash, with these handles as its leading arguments.
    // Returns the call, or nullptr once the frame has a problem.
    const RecordedCall* expect(std::uint64_t hash, std::initializer_list<std::uint32_t> handles) {
        if (problem_) {
            return nullptr;
        }
        if (next_ == calls_.size()) {
            problem_ = "the frame ends after " + std::to_string(next_) +
                       (next_ == 1 ? " call" : " calls") + " where " + expectation + " expects " +
                       nativeName(hash) + " next";
            return nullptr;
        }
        const RecordedCall& call = calls_[next_++];
        if (call.hash != hash) {
            problem_ = "call " + std::to_string(next_) + " of the frame is " +
                       nativeName(call.hash) + " where " + expectation + " expects " +
                       nativeName(hash);
            return nullptr;
        }
        std::size_t index = 0;
        for (const std::uint32_t handle : handles) {
            if (index >= call.args.size()) {
                problem_ = nativeName(hash) + " lacks argument " + std::to_string(index + 1) +
                           ", which " + expectation + " expects";
                return nullptr;
            }
            if (call.args[index] != handle) {
                problem_ = nativeName(hash) + ": argument " + std::to_string(index + 1) + " is " +
                           std::to_string(call.args[index]) + " where " + expectation +
                           " expects " + std::to_string(handle);
                return nullptr;
            }
            ++index;
        }
        return &call;
    }

    void expectEnd() {
        if (!problem_ && next_ != calls_.size()) {
            problem_ = "the frame goes on with " + nativeName(calls_[next_].hash) +
                       " after the calls " + expectation + " expects";
        }
    }

    const std::optional<std::string>& problem() const { return problem_; }

  private:
    const std::vector<RecordedCall>& calls_;
    std::size_t next_ = 0;
    std::optional<std::string> problem_;
};

std::optional<std::string> PassAudit::checkFrame(const HostAnswers& answers,
                                                 const std::vector<RecordedCall>& calls) {
    ++tally_.frames;
    tally_.natives += calls.size();
    CallWalk walk(calls);
    if (pendingPush_) {
        checkPush(walk);
    } else if (!calls.empty() || passesBegun_) {
        passesBegun_ = true;
        checkPass(answers, walk);
    }
    walk.expectEnd();
    return walk.problem();
}

void PassAudit::checkPass(const HostAnswers& answers, CallWalk& walk) {
    walk.expect(natives::playerPedId, {});
    walk.expect(natives::isPedCarryingSomething, {answers.character});
    if (!answers.carrying) {
        if (prompt_) {
            walk.expect(natives::promptDelete, {*prompt_});
            prompt_.reset();
            tally_.countPass(PassKind::PromptRemoved);
        } else {
            tally_.countPass(PassKind::NotCarrying);
        }
        return;
    }
    if (!prompt_) {
        checkPromptCreation(walk);
    }
    walk.expect(natives::getFirstEntityPedIsCarrying, {answers.character});
    walk.expect(natives::doesEntityExist, {answers.carried});
    if (!answers.entityValid) {
        tally_.countPass(PassKind::EntityCheckFailed);
        return;
    }

    const std::uint32_t prompt = *prompt_;
    walk.expect(natives::promptGetGroupIdForTargetEntity, {answers.carried});
    walk.expect(natives::varString, {});
    walk.expect(natives::promptSetActiveGroupThisFrame, {answers.promptGroup});
    walk.expect(natives::promptSetGroup, {prompt, answers.promptGroup});
    walk.expect(natives::promptSetEnabled, {prompt});
    walk.expect(natives::promptSetVisible, {prompt});
    walk.expect(natives::promptHasStandardModeCompleted, {prompt});
    if (!answers.promptCompleted) {
        tally_.countPass(PassKind::NotCompleted);
        return;
    }

    walk.expect(natives::detachCarriableEntity, {answers.carried});
    walk.expect(natives::clearPedTasks, {answers.character});
    walk.expect(natives::setEntityDynamic, {answers.carried});
    walk.expect(natives::activatePhysics, {answers.carried});
    pendingPush_ = Throw{answers.character, answers.carried};
    tally_.countPass(PassKind::Thrown);
}

void PassAudit::checkPromptCreation(CallWalk& walk) {
    const RecordedCall* made = walk.expect(natives::promptRegisterBegin, {});
    const std::uint32_t prompt = made != nullptr ? low32(made->result) : 0;
    walk.expect(natives::promptSetControlAction, {prompt});
    walk.expect(natives::varString, {});
    walk.expect(natives::promptSetText, {prompt});
    walk.expect(natives::promptSetPriority, {prompt});
    walk.expect(natives::promptSetTransportMode, {prompt});
    walk.expect(natives::promptSetStandardMode, {prompt});
    walk.expect(natives::promptSetEnabled, {prompt});
    walk.expect(natives::promptSetVisible, {prompt});
    walk.expect(natives::promptRegisterEnd, {prompt});
    prompt_ = prompt;
    ++tally_.promptsCreated;
}

void PassAudit::checkPush(CallWalk& walk) {
    walk.expect(natives::getEntityForwardVector, {pendingPush_->character});
    if (const RecordedCall* push =
            walk.expect(natives::applyForceToEntityCenterOfMass, {pendingPush_->carried})) {
        ++tally_.forces[forceText(*push)];
    }
    pendingPush_.reset();
}

} // namespace standin
