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
        {natives::playerPedId, {}, "playerPedId() -> 7"},
        {natives::isPedCarryingSomething, {7}, "isPedCarryingSomething(7) -> true"},
        {natives::getFirstEntityPedIsCarrying, {7}, "getFirstEntityPedIsCarrying(7) -> 42"},
        {natives::doesEntityExist, {42}, "doesEntityExist(42) -> false"},
        {natives::promptGetGroupIdForTargetEntity,
         {42},
         "promptGetGroupIdForTargetEntity(42) -> 900"},
        {natives::promptHasStandardModeCompleted,
         {11, 0},
         "promptHasStandardModeCompleted(11, 0) -> false"},
        {natives::getEntityForwardVector, {7}, "getEntityForwardVector(7) -> (0.5, -2.0, 0.001)"},
        {natives::promptSetControlAction,
         {11, 0x760A9C6F},
         "promptSetControlAction(11, 0x760A9C6F)"},
        {natives::promptSetPriority, {0xFFFFFFFF, 3}, "promptSetPriority(4294967295, 3)"},
        {natives::clearPedTasks, {7, 1, 0}, "clearPedTasks(7, 1, 0)"},
        {natives::promptDelete, {11}, "promptDelete(11)"},
        {natives::applyForceToEntityCenterOfMass,
         {42, 1, floatArg(15.0f), floatArg(-7.5f), floatArg(5.0f), 0, 0, 1, 0},
         "applyForceToEntityCenterOfMass(42, 1, 15.0, -7.5, 5.0, 0, 0, 1, 0)"},
        {natives::varString,
         {10, textArg("LITERAL_STRING"), textArg("Vaxo")},
         "varString(10, \"LITERAL_STRING\", \"Vaxo\") -> text(\"Vaxo\")"},
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
        {natives::playerPedId, {}, 7},
        {natives::isPedCarryingSomething, {7}, 1},
        {natives::doesEntityExist, {42}, 0},
        {natives::promptHasStandardModeCompleted, {11, 0}, 0},
        {natives::promptGetGroupIdForTargetEntity, {42}, 900},
    };
    for (const auto& c : cases) {
        const std::uint64_t slot = callNative(host, c.hash, c.args)[0];
        EXPECT_EQ(static_cast<std::uint32_t>(slot), c.low);
        EXPECT_NE(slot >> 32, 0u) << standin::hashText(c.hash);
    }

    const std::uint64_t* vector = callNative(host, natives::getEntityForwardVector, {7});
    const float expected[] = {0.5f, -2.0f, 0.001f};
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_EQ(static_cast<std::uint32_t>(vector[axis]), floatArg(expected[axis]));
        EXPECT_NE(vector[axis] >> 32, 0u);
    }
}

TEST_F(HostSessionTest, DisplayTextUsesAllSixtyFourBitsAndResolvesWhenPushedBack) {
    const std::uint64_t text =
        callNative(host, natives::varString, {10, textArg("LITERAL_STRING"), textArg("Vaxo")})[0];
    EXPECT_NE(text >> 32, 0u);
    callNative(host, natives::promptSetText, {11, text});
    EXPECT_EQ(host.takeTrace().back(), "promptSetText(11, text(\"Vaxo\"))");
    EXPECT_EQ(host.faults(), Lines{});
}

TEST_F(HostSessionTest, NewPromptHandsOutTheQueuedHandlesThenFreshOnes) {
    host.answers.promptHandles = {11, 12};
    std::vector<std::uint32_t> handles;
    for (int prompt = 0; prompt < 4; ++prompt) {
        handles.push_back(
            static_cast<std::uint32_t>(callNative(host, natives::promptRegisterBegin)[0]));
    }
    EXPECT_EQ(handles[0], 11u);
    EXPECT_EQ(handles[1], 12u);
    EXPECT_NE(handles[2], 0u);
    EXPECT_NE(handles[2], handles[3]);
}

TEST_F(HostSessionTest, RecordsRawArgumentsAndTheTextsBehindThemUntilCleared) {
    callNative(host, natives::varString, {10, textArg("LITERAL_STRING"), textArg("Carrying")});
    callNative(host, natives::isPedCarryingSomething, {7});
    ASSERT_EQ(host.calls().size(), 2u);
    EXPECT_EQ(host.calls()[0].hash, natives::varString);
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
