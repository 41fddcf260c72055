#include "tests/standin_host/plugin_side.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

namespace natives = standin::natives;
using Lines = std::vector<std::string>;

int moduleStandIn = 0;
int otherModule = 0;

void otherHandler(std::uint32_t, std::uint16_t, std::uint8_t, std::int32_t, std::int32_t,
                  std::int32_t, std::int32_t) {}

std::uint64_t varString(HostSession& host, const char* text) {
    return callNative(host, natives::varString, {10, textArg("LITERAL_STRING"), textArg(text)})[0];
}

struct FaultCase {
    const char* name;
    std::function<void(HostSession&)> act;
    std::string fault;         // the whole sentence, or how it begins
    std::string lastTraceLine; // empty: not checked
};

const FaultCase faultCases[] = {
    {"unknown native", [](HostSession& h) { callNative(h, 0x1234, {5, 0x100000000}); },
     "unknown native 0x0000000000001234", "native 0x0000000000001234(0x5, 0x100000000)"},
    {"one argument too many",
     [](HostSession& h) { callNative(h, natives::isPedCarryingSomething, {7, 1}); },
     "isPedCarryingSomething takes 1 argument but got 2",
     "isPedCarryingSomething(7, 0x1) -> false"},
    {"arguments missing",
     [](HostSession& h) { callNative(h, natives::applyForceToEntityCenterOfMass, {42}); },
     "applyForceToEntityCenterOfMass takes 9 arguments but got 1",
     "applyForceToEntityCenterOfMass(42)"},
    {"handle with upper bits",
     [](HostSession& h) { callNative(h, natives::isPedCarryingSomething, {0xBAD0000000000007}); },
     "isPedCarryingSomething: argument 1 is a handle with nonzero upper 32 bits: "
     "0xBAD0000000000007",
     "isPedCarryingSomething(0xBAD0000000000007) -> false"},
    {"integer with upper bits",
     [](HostSession& h) { callNative(h, natives::promptSetPriority, {11, 0x100000003}); },
     "promptSetPriority: argument 2 is an integer with nonzero upper 32 bits: 0x100000003",
     "promptSetPriority(11, 0x100000003)"},
    {"float with upper half",
     [](HostSession& h) {
         callNative(h, natives::applyForceToEntityCenterOfMass,
                    {42, 1, 0xFFFFFFFF00000000 | floatArg(15.0f), 0, 0, 0, 0, 1, 0});
     },
     "applyForceToEntityCenterOfMass: argument 3 is a float with nonzero upper 32 bits: "
     "0xFFFFFFFF41700000",
     "applyForceToEntityCenterOfMass(42, 1, 0xFFFFFFFF41700000, 0.0, 0.0, 0, 0, 1, 0)"},
    {"call without init", [](HostSession& h) { h.nativeCall(); },
     "nativeCall came without nativeInit", ""},
    {"push without init", [](HostSession& h) { h.nativePush64(7); },
     "nativePush64(0x7) came without nativeInit", ""},
    {"init while a call is pending",
     [](HostSession& h) {
         h.nativeInit(natives::isPedCarryingSomething);
         callNative(h, natives::playerPedId);
     },
     "nativeInit(0x096275889B8E0EE0) came while isPedCarryingSomething still waited for nativeCall",
     "playerPedId() -> 0"},
    {"null text",
     [](HostSession& h) { callNative(h, natives::varString, {10, 0, textArg("Vaxo")}); },
     "varString: argument 2 is a null text pointer: 0x0",
     "varString(10, null, \"Vaxo\") -> text(\"Vaxo\")"},
    {"display text never handed out",
     [](HostSession& h) { callNative(h, natives::promptSetText, {11, 0x1234}); },
     "promptSetText: argument 2 is not a display text the host handed out: 0x1234",
     "promptSetText(11, 0x1234)"},
    {"display text cut to 32 bits",
     [](HostSession& h) {
         const std::uint64_t text = varString(h, "Vaxo");
         callNative(h, natives::promptSetText, {11, text & 0xFFFFFFFF});
     },
     "promptSetText: argument 2 is not a display text the host handed out: 0x", ""},
    {"display text kept from an earlier request",
     [](HostSession& h) {
         const std::uint64_t label = varString(h, "Vaxo");
         varString(h, "Carrying");
         callNative(h, natives::promptSetText, {11, label});
     },
     "promptSetText: argument 2 is a display text that is no longer valid (only the latest one "
     "is): 0x",
     ""},
    {"script registered twice",
     [](HostSession& h) {
         h.scriptRegister(&moduleStandIn, &noScript);
         h.scriptRegister(&moduleStandIn, &noScript);
     },
     "scriptRegister was called a second time", ""},
    {"script unregistered for another module",
     [](HostSession& h) {
         h.scriptRegister(&moduleStandIn, &noScript);
         h.scriptUnregister(&otherModule);
     },
     "scriptUnregister got a module other than the one scriptRegister got", ""},
    {"script unregistered without registration",
     [](HostSession& h) { h.scriptUnregister(&moduleStandIn); },
     "scriptUnregister was called with no script registered", ""},
    {"handler registered twice",
     [](HostSession& h) {
         h.keyboardHandlerRegister(&ignoreKey);
         h.keyboardHandlerRegister(&ignoreKey);
     },
     "keyboardHandlerRegister was called a second time", ""},
    {"another handler unregistered",
     [](HostSession& h) {
         h.keyboardHandlerRegister(&ignoreKey);
         h.keyboardHandlerUnregister(&otherHandler);
     },
     "keyboardHandlerUnregister got a handler other than the registered one", ""},
    {"key event without handler", [](HostSession& h) { h.sendKey({65}); },
     "a key event arrived but no keyboard handler is registered", "keyEvent(65, 1, 0, 0, 0, 0, 0)"},
};

TEST(HostSessionFaults, EachMisbehaviourIsOneClearSentence) {
    for (const FaultCase& c : faultCases) {
        SCOPED_TRACE(c.name);
        HostSession host;
        c.act(host);
        ASSERT_EQ(host.faults().size(), 1u) << ::testing::PrintToString(host.faults());
        EXPECT_EQ(host.faults()[0].substr(0, c.fault.size()), c.fault);
        const Lines trace = host.takeTrace();
        if (!c.lastTraceLine.empty()) {
            ASSERT_FALSE(trace.empty());
            EXPECT_EQ(trace.back(), c.lastTraceLine);
        }
    }
}

} // namespace
