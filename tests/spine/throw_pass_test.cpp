#include "tests/heap_counter/heap_counter.h"
#include "tests/spine/spine_fixture.h"
#include "throw/throw_loop.h"

#include <new>

namespace {

constexpr std::uint32_t character = 7;
constexpr std::uint32_t carried = 42;
constexpr std::uint32_t group = 900;
constexpr std::uint32_t prompt = 11;

const Lines passStart = {"wait(0)", "playerPedId() -> 7"};
const Lines notCarrying = {"isPedCarryingSomething(7) -> false"};
const Lines carrying = {"isPedCarryingSomething(7) -> true"};
const Lines carriedPasses = {"getFirstEntityPedIsCarrying(7) -> 42", "doesEntityExist(42) -> true"};
const Lines carriedFails = {"getFirstEntityPedIsCarrying(7) -> 42", "doesEntityExist(42) -> false"};

Lines creation(std::uint32_t handle) {
    const std::string h = std::to_string(handle);
    return {"promptRegisterBegin() -> " + h,
            "promptSetControlAction(" + h + ", 0x760A9C6F)",
            "varString(10, \"LITERAL_STRING\", \"Vaxo\") -> text(\"Vaxo\")",
            "promptSetText(" + h + ", text(\"Vaxo\"))",
            "promptSetPriority(" + h + ", 3)",
            "promptSetTransportMode(" + h + ", 0)",
            "promptSetStandardMode(" + h + ", 1)",
            "promptSetEnabled(" + h + ", 1)",
            "promptSetVisible(" + h + ", 1)",
            "promptRegisterEnd(" + h + ")"};
}

Lines upkeep(std::uint32_t handle) {
    const std::string h = std::to_string(handle);
    return {"promptGetGroupIdForTargetEntity(42) -> 900",
            "varString(10, \"LITERAL_STRING\", \"Carrying\") -> text(\"Carrying\")",
            "promptSetActiveGroupThisFrame(900, text(\"Carrying\"), 1, 0, 0, 0)",
            "promptSetGroup(" + h + ", 900, 0)",
            "promptSetEnabled(" + h + ", 1)",
            "promptSetVisible(" + h + ", 1)"};
}

Lines completion(std::uint32_t handle, bool completed) {
    return {"promptHasStandardModeCompleted(" + std::to_string(handle) + ", 0) -> " +
            (completed ? "true" : "false")};
}

const Lines releaseThenPush = {"detachCarriableEntity(42, 0, 1)",
                               "clearPedTasks(7, 1, 0)",
                               "setEntityDynamic(42, 1)",
                               "activatePhysics(42)",
                               "wait(0)",
                               "getEntityForwardVector(7) -> (1.0, 0.0, 0.0)",
                               "applyForceToEntityCenterOfMass(42, 1, 15.0, 0.0, 5.0, 0, 0, 1, 0)"};

class ThrowPassTest : public SpineTest {
  protected:
    void SetUp() override {
        SpineTest::SetUp();
        answers().character = character;
        answers().carried = carried;
        answers().promptGroup = group;
        answers().entityValid = true;
        answers().forward = {1.0f, 0.0f, 0.0f};
        answers().promptHandles = {prompt, prompt + 1};
    }

    Lines pass() {
        runThrowPass();
        return trace();
    }

    void startCarrying() {
        answers().carrying = true;
        runThrowPass();
        trace();
    }
};

TEST_F(ThrowPassTest, IdlePassMakesExactlyTwoCalls) {
    EXPECT_PRED_FORMAT2(sameCalls, pass(), concat({passStart, notCarrying}));
    EXPECT_FALSE(throwPrompt.created);
}

TEST_F(ThrowPassTest, FirstCarryingPassCreatesThenKeepsUpThePrompt) {
    answers().carrying = true;
    EXPECT_PRED_FORMAT2(sameCalls, pass(),
                        concat({passStart, carrying, creation(prompt), carriedPasses,
                                upkeep(prompt), completion(prompt, false)}));
    EXPECT_TRUE(throwPrompt.created);
    EXPECT_EQ(throwPrompt.handle, prompt);

    EXPECT_PRED_FORMAT2(
        sameCalls, pass(),
        concat({passStart, carrying, carriedPasses, upkeep(prompt), completion(prompt, false)}));
}

TEST_F(ThrowPassTest, FailedEntityCheckStillCreatesButSkipsUpkeepAndCompletion) {
    answers().carrying = true;
    answers().entityValid = false;
    EXPECT_PRED_FORMAT2(sameCalls, pass(),
                        concat({passStart, carrying, creation(prompt), carriedFails}));
    EXPECT_PRED_FORMAT2(sameCalls, pass(), concat({passStart, carrying, carriedFails}));
    EXPECT_TRUE(throwPrompt.created);
}

TEST_F(ThrowPassTest, CompletionReleasesWaitsAFrameThenPushes) {
    startCarrying();
    answers().promptCompleted = true;
    EXPECT_PRED_FORMAT2(sameCalls, pass(),
                        concat({passStart, carrying, carriedPasses, upkeep(prompt),
                                completion(prompt, true), releaseThenPush}));
    EXPECT_TRUE(throwPrompt.created) << "a throw leaves the prompt until carrying ends";
}

TEST_F(ThrowPassTest, ThrowRepeatsWhileTheHostStillReportsCarryingAndCompleted) {
    startCarrying();
    answers().promptCompleted = true;
    const Lines throwing = concat({passStart, carrying, carriedPasses, upkeep(prompt),
                                   completion(prompt, true), releaseThenPush});
    EXPECT_PRED_FORMAT2(sameCalls, pass(), throwing);
    EXPECT_PRED_FORMAT2(sameCalls, pass(), throwing);
}

TEST_F(ThrowPassTest, EndOfCarryingRemovesThePromptAndTheNextCarryBuildsANewOne) {
    startCarrying();
    answers().carrying = false;
    EXPECT_PRED_FORMAT2(sameCalls, pass(), concat({passStart, notCarrying, {"promptDelete(11)"}}));
    EXPECT_FALSE(throwPrompt.created);
    EXPECT_EQ(throwPrompt.handle, 0u);

    EXPECT_PRED_FORMAT2(sameCalls, pass(), concat({passStart, notCarrying})) << "removed only once";

    answers().carrying = true;
    EXPECT_PRED_FORMAT2(sameCalls, pass(),
                        concat({passStart, carrying, creation(prompt + 1), carriedPasses,
                                upkeep(prompt + 1), completion(prompt + 1, false)}));
}

TEST_F(ThrowPassTest, CreatingAnExistingPromptCallsNothing) {
    startCarrying();
    createThrowPrompt();
    EXPECT_PRED_FORMAT2(sameCalls, trace(), Lines{});
    EXPECT_EQ(throwPrompt.handle, prompt);
}

// PassesAllocateNothing's zero means something only if every form of new is
// counted; the volatile keeps the compiler from leaving out a pair.
TEST(HeapCounterTest, CountsEveryFormOfNew) {
    struct alignas(64) Wide {
        char byte;
    };
    void* volatile memory = nullptr;
    startHeapCount();
    delete static_cast<int*>(memory = new int);
    delete[] static_cast<int*>(memory = new int[2]);
    delete static_cast<int*>(memory = new (std::nothrow) int);
    delete[] static_cast<int*>(memory = new (std::nothrow) int[2]);
    delete static_cast<Wide*>(memory = new Wide);
    delete[] static_cast<Wide*>(memory = new (std::nothrow) Wide[2]);
    EXPECT_EQ(stopHeapCount(), 6u);
}

TEST_F(ThrowPassTest, PassesAllocateNothing) {
    startHeapCount();
    for (int frame = 0; frame < 1000; ++frame) {
        answers().carrying = frame % 7 != 0;
        answers().promptCompleted = frame % 5 == 0;
        runThrowPass();
    }
    EXPECT_EQ(stopHeapCount(), 0u);
    trace();
}

} // namespace
