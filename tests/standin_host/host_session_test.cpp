#include "tests/standin_host/plugin_side.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

namespace natives = standin::natives;
using Lines = std::vector<std::string>;

class HostSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.answers.character = 7;
        host.answers.carrying = true;
        host.answers.carried = 42;
        host.answers.entityValid = false;
        host.answers.promptGroup = 900;
        host.answers.promptCompleted = false;
        host.answers.forward = {0.5f, -2.0f, 0.001f};
    }

    HostSession host;
};

TEST_F(HostSessionTest, DecodesEachArgumentKindAndAnswersFromTheAnswers) {
    const struct {
        std::uint64_t hash;
        std::vector<std::uint64_t> args;
        const char* line;
    } cases[] = {
        {natives::playerCharacter, {}, "playerCharacter() -> 7"},
        {natives::isCarrying, {7}, "isCarrying(7) -> true"},
        {natives::carriedEntity, {7}, "carriedEntity(7) -> 42"},
        {natives::entityCheck, {42}, "entityCheck(42) -> false"},
        {natives::promptGroupOf, {42}, "promptGroupOf(42) -> 900"},
        {natives::promptCompleted, {11, 0}, "promptCompleted(11, 0) -> false"},
        {natives::forwardVector, {7}, "forwardVector(7) -> (0.5, -2.0, 0.001)"},
        {natives::promptSetControl, {11, 0x760A9C6F}, "promptSetControl(11, 0x760A9C6F)"},
        {natives::promptOption1, {0xFFFFFFFF, 3}, "promptOption1(4294967295, 3)"},
        {natives::release2, {7, 1, 0}, "release2(7, 1, 0)"},
        {natives::deletePrompt, {11}, "deletePrompt(11)"},
        {natives::applyForce,
         {42, 1, floatArg(15.0f), floatArg(-7.5f), floatArg(5.0f), 0, 0, 1, 0},
         "applyForce(42, 1, 15.0, -7.5, 5.0, 0, 0, 1, 0)"},
        {natives::displayText,
         {10, textArg("LITERAL_STRING"), textArg("Vaxo")},
         "displayText(10, \"LITERAL_STRING\", \"Vaxo\") -> text(\"Vaxo\")"},
    };
    for (const auto& c : cases) {
        host.nativeInit(c.hash);
        for (const std::uint64_t arg : c.args) {
            host.nativePush64(arg);
        }
        host.nativeCall();
        EXPECT_EQ(host.takeTrace(), Lines{c.line});
    }
    EXPECT_EQ(host.faults(), Lines{});
}

TEST_F(HostSessionTest, ThirtyTwoBitResultsCarryJunkInTheUpperHalf) {
    const struct {
        std::uint64_t hash;
        std::initializer_list<std::uint64_t> args;
        std::uint32_t low;
    } cases[] = {
        {natives::playerCharacter, {}, 7},   {natives::isCarrying, {7}, 1},
        {natives::entityCheck, {42}, 0},     {natives::promptCompleted, {11, 0}, 0},
        {natives::promptGroupOf, {42}, 900},
    };
    for (const auto& c : cases) {
        const std::uint64_t slot = callNative(host, c.hash, c.args)[0];
        EXPECT_EQ(static_cast<std::uint32_t>(slot), c.low);
        EXPECT_NE(slot >> 32, 0u) << standin::hashText(c.hash);
    }

    const std::uint64_t* vector = callNative(host, natives::forwardVector, {7});
    const float expected[] = {0.5f, -2.0f, 0.001f};
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_EQ(static_cast<std::uint32_t>(vector[axis]), floatArg(expected[axis]));
        EXPECT_NE(vector[axis] >> 32, 0u);
    }
}

TEST_F(HostSessionTest, DisplayTextUsesAllSixtyFourBitsAndResolvesWhenPushedBack) {
    const std::uint64_t text =
        callNative(host, natives::displayText, {10, textArg("LITERAL_STRING"), textArg("Vaxo")})[0];
    EXPECT_NE(text >> 32, 0u);
    callNative(host, natives::promptSetLabel, {11, text});
    EXPECT_EQ(host.takeTrace().back(), "promptSetLabel(11, text(\"Vaxo\"))");
    EXPECT_EQ(host.faults(), Lines{});
}

TEST_F(HostSessionTest, NewPromptHandsOutTheQueuedHandlesThenFreshOnes) {
    host.answers.promptHandles = {11, 12};
    std::vector<std::uint32_t> handles;
    for (int prompt = 0; prompt < 4; ++prompt) {
        handles.push_back(static_cast<std::uint32_t>(callNative(host, natives::newPrompt)[0]));
    }
    EXPECT_EQ(handles[0], 11u);
    EXPECT_EQ(handles[1], 12u);
    EXPECT_NE(handles[2], 0u);
    EXPECT_NE(handles[2], handles[3]);
}

TEST_F(HostSessionTest, RecordsRawArgumentsAndTheTextsBehindThemUntilCleared) {
    callNative(host, natives::displayText, {10, textArg("LITERAL_STRING"), textArg("Carrying")});
    callNative(host, natives::isCarrying, {7});
    ASSERT_EQ(host.calls().size(), 2u);
    EXPECT_EQ(host.calls()[0].hash, natives::displayText);
    EXPECT_EQ(host.calls()[0].texts, (Lines{"LITERAL_STRING", "Carrying"}));
    EXPECT_EQ(host.calls()[1].args, std::vector<std::uint64_t>{7});

    host.clearCalls();
    EXPECT_TRUE(host.calls().empty());
    EXPECT_EQ(host.takeTrace().size(), 2u);
    EXPECT_EQ(host.takeTrace(), Lines{});
}

TEST_F(HostSessionTest, MatchingRegistrationsLeaveNoFaultAndAreForgottenOnUnregister) {
    int moduleStandIn = 0;
    host.scriptRegister(&moduleStandIn, &noScript);
    host.keyboardHandlerRegister(&ignoreKey);
    EXPECT_EQ(host.registeredModule(), &moduleStandIn);
    EXPECT_EQ(host.registeredScript(), &noScript);
    EXPECT_EQ(host.registeredKeyboardHandler(), &ignoreKey);

    host.scriptUnregister(&moduleStandIn);
    host.keyboardHandlerUnregister(&ignoreKey);
    EXPECT_EQ(host.registeredScript(), nullptr);
    EXPECT_EQ(host.registeredKeyboardHandler(), nullptr);
    EXPECT_EQ(host.takeTrace(),
              (Lines{"scriptRegister(module)", "keyboardHandlerRegister(handler)",
                     "scriptUnregister(module)", "keyboardHandlerUnregister(handler)"}));
    EXPECT_EQ(host.faults(), Lines{});
}

std::vector<std::int32_t> keyArgs;

void recordKey(std::uint32_t key, std::uint16_t repeats, std::uint8_t scan, std::int32_t extended,
               std::int32_t context, std::int32_t previous, std::int32_t transition) {
    keyArgs = {
        static_cast<std::int32_t>(key), repeats, scan, extended, context, previous, transition};
}

TEST_F(HostSessionTest, SendKeyHandsEveryArgumentToTheHandler) {
    host.keyboardHandlerRegister(&recordKey);
    host.takeTrace();
    host.sendKey({300, 2, 18, true, false, true, false});
    EXPECT_EQ(keyArgs, (std::vector<std::int32_t>{300, 2, 18, 1, 0, 1, 0}));
    EXPECT_EQ(host.takeTrace(), Lines{"keyEvent(300, 2, 18, 1, 0, 1, 0)"});
}

TEST_F(HostSessionTest, ResetForgetsEverything) {
    host.scriptRegister(nullptr, &noScript);
    callNative(host, 0x1234);
    host.reset();
    EXPECT_EQ(host.registeredScript(), nullptr);
    EXPECT_EQ(host.answers.character, 0u);
    EXPECT_TRUE(host.calls().empty());
    EXPECT_EQ(host.takeTrace(), Lines{});
    EXPECT_EQ(host.faults(), Lines{});
}

} // namespace
