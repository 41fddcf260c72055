#include "tests/heap_counter/heap_counter.h"
#include "tests/spine/spine_fixture.h"
#include "throw/throw_loop.h"

namespace {

constexpr std::uint32_t character = 7;
constexpr std::uint32_t carried = 42;
constexpr std::uint32_t group = 900;
constexpr std::uint32_t prompt = 11;

const Lines passStart = {"wait(0)", "playerCharacter() -> 7"};
const Lines notCarrying = {"isCarrying(7) -> false"};
const Lines carrying = {"isCarrying(7) -> true"};
const Lines carriedPasses = {"carriedEntity(7) -> 42", "entityCheck(42) -> true"};
const Lines carriedFails = {"carriedEntity(7) -> 42", "entityCheck(42) -> false"};

Lines creation(std::uint32_t handle) {
    const std::string h = std::to_string(handle);
    return {"newPrompt() -> " + h,
            "promptSetControl(" + h + ", 0x760A9C6F)",
            "displayText(10, \"LITERAL_STRING\", \"Vaxo\") -> text(\"Vaxo\")",
            "promptSetLabel(" + h + ", text(\"Vaxo\"))",
            "promptOption1(" + h + ", 3)",
            "promptOption2(" + h + ", 0)",
            "promptOption3(" + h + ", 1)",
            "promptSetEnabled(" + h + ", 1)",
            "promptSetVisible(" + h + ", 1)",
            "promptFinishSetup(" + h + ")"};
}

Lines upkeep(std::uint32_t handle) {
    const std::string h = std::to_string(handle);
    return {"promptGroupOf(42) -> 900",
            "displayText(10, \"LITERAL_STRING\", \"Carrying\") -> text(\"Carrying\")",
            "activatePromptGroup(900, text(\"Carrying\"), 1, 0, 0, 0)",
            "promptSetGroup(" + h + ", 900, 0)",
            "promptSetEnabled(" + h + ", 1)",
            "promptSetVisible(" + h + ", 1)"};
}

Lines completion(std::uint32_t handle, bool completed) {
    return {"promptCompleted(" + std::to_string(handle) + ", 0) -> " +
            (completed ? "true" : "false")};
}

const Lines releaseThenPush = {"release1(42, 0, 1)",
                               "release2(7, 1, 0)",
                               "release3(42, 1)",
                               "release4(42)",
                               "wait(0)",
                               "forwardVector(7) -> (1.0, 0.0, 0.0)",
                               "applyForce(42, 1, 15.0, 0.0, 5.0, 0, 0, 1, 0)"};

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
    EXPECT_EQ(pass(), concat({passStart, notCarrying}));
    EXPECT_FALSE(throwPrompt.created);
}

TEST_F(ThrowPassTest, FirstCarryingPassCreatesThenKeepsUpThePrompt) {
    answers().carrying = true;
    EXPECT_EQ(pass(), concat({passStart, carrying, creation(prompt), carriedPasses, upkeep(prompt),
                              completion(prompt, false)}));
    EXPECT_TRUE(throwPrompt.created);
    EXPECT_EQ(throwPrompt.handle, prompt);

    EXPECT_EQ(pass(), concat({passStart, carrying, carriedPasses, upkeep(prompt),
                              completion(prompt, false)}));
}

TEST_F(ThrowPassTest, FailedEntityCheckStillCreatesButSkipsUpkeepAndCompletion) {
    answers().carrying = true;
    answers().entityValid = false;
    EXPECT_EQ(pass(), concat({passStart, carrying, creation(prompt), carriedFails}));
    EXPECT_EQ(pass(), concat({passStart, carrying, carriedFails}));
    EXPECT_TRUE(throwPrompt.created);
}

TEST_F(ThrowPassTest, CompletionReleasesWaitsAFrameThenPushes) {
    startCarrying();
    answers().promptCompleted = true;
    EXPECT_EQ(pass(), concat({passStart, carrying, carriedPasses, upkeep(prompt),
                              completion(prompt, true), releaseThenPush}));
    EXPECT_TRUE(throwPrompt.created) << "a throw leaves the prompt until carrying ends";
}

TEST_F(ThrowPassTest, ThrowRepeatsWhileTheHostStillReportsCarryingAndCompleted) {
    startCarrying();
    answers().promptCompleted = true;
    const Lines throwing = concat({passStart, carrying, carriedPasses, upkeep(prompt),
                                   completion(prompt, true), releaseThenPush});
    EXPECT_EQ(pass(), throwing);
    EXPECT_EQ(pass(), throwing);
}

TEST_F(ThrowPassTest, EndOfCarryingRemovesThePromptAndTheNextCarryBuildsANewOne) {
    startCarrying();
    answers().carrying = false;
    EXPECT_EQ(pass(), concat({passStart, notCarrying, {"deletePrompt(11)"}}));
    EXPECT_FALSE(throwPrompt.created);
    EXPECT_EQ(throwPrompt.handle, 0u);

    EXPECT_EQ(pass(), concat({passStart, notCarrying})) << "removed only once";

    answers().carrying = true;
    EXPECT_EQ(pass(), concat({passStart, carrying, creation(prompt + 1), carriedPasses,
                              upkeep(prompt + 1), completion(prompt + 1, false)}));
}

TEST_F(ThrowPassTest, CreatingAnExistingPromptCallsNothing) {
    startCarrying();
    createThrowPrompt();
    EXPECT_EQ(trace(), Lines{});
    EXPECT_EQ(throwPrompt.handle, prompt);
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
