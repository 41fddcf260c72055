// The eight operations ScriptHookRDR2.dll exports under the host's decorated
// names (see ScriptHookRDR2.def), each handed to the one host session.

#define VAXO_HOST_BUILD
#include "plugin/host_api.h"
#include "standin_host/windows/standin_host.h"

#include <string>
#include <xmmintrin.h>

StandinHost& standinHost() {
    static StandinHost host;
    return host;
}

namespace {

// Natives and waits are only allowed on the script fiber, never from the
// library entry point or the keyboard handler.
bool onScriptFiber(const char* operation) {
    StandinHost& host = standinHost();
    if (host.scriptFiber != nullptr && host.scriptFiber->isCurrent()) {
        return true;
    }
    host.session.recordFault(std::string(operation) + " was called outside the script fiber");
    return false;
}

} // namespace

void scriptRegister(ModuleHandle module, ScriptFunction script) {
    standinHost().session.scriptRegister(module, script);
}

void scriptUnregister(ModuleHandle module) {
    standinHost().session.scriptUnregister(module);
}

void keyboardHandlerRegister(KeyboardHandler handler) {
    StandinHost& host = standinHost();
    host.session.keyboardHandlerRegister(handler);
    host.keyStorm.setHandler(host.session.registeredKeyboardHandler());
}

void keyboardHandlerUnregister(KeyboardHandler handler) {
    StandinHost& host = standinHost();
    host.session.keyboardHandlerUnregister(handler);
    host.keyStorm.setHandler(host.session.registeredKeyboardHandler());
}

void scriptWait(std::uint32_t milliseconds) {
    standinHost().mxcsrAtLastYield = _mm_getcsr();
    standinHost().session.scriptWait(milliseconds);
    if (onScriptFiber("scriptWait")) {
        standinHost().scriptFiber->yieldToHost();
    }
}

void nativeInit(std::uint64_t hash) {
    standinHost().session.nativeInit(hash);
}

void nativePush64(std::uint64_t value) {
    standinHost().session.nativePush64(value);
}

std::uint64_t* nativeCall() {
    onScriptFiber("nativeCall");
    return standinHost().session.nativeCall();
}
