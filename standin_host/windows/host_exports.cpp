// The eight operations ScriptHookRDR2.dll exports under the host's decorated
// names (see ScriptHookRDR2.def), each handed to the one host session.

#define VAXO_HOST_BUILD
#include "plugin/host_api.h"
#include "settings/float_control_scope.h"
#include "standin_host/windows/standin_host.h"

#include <string>
#include <xmmintrin.h>

StandinHost& standinHost() {
    static StandinHost host;
    return host;
}

namespace {

// The game's floating-point state is the plug-in's to run in; the host's own
// work, called from the plug-in, runs in the host's.
FloatControlScope hostState() {
    return FloatControlScope(standinHost().hostMxcsr);
}

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
    const FloatControlScope own = hostState();
    standinHost().session.scriptRegister(module, script);
}

void scriptUnregister(ModuleHandle module) {
    const FloatControlScope own = hostState();
    standinHost().session.scriptUnregister(module);
}

void keyboardHandlerRegister(KeyboardHandler handler) {
    const FloatControlScope own = hostState();
    StandinHost& host = standinHost();
    host.session.keyboardHandlerRegister(handler);
    host.keyStorm.setHandler(host.session.registeredKeyboardHandler());
}

void keyboardHandlerUnregister(KeyboardHandler handler) {
    const FloatControlScope own = hostState();
    StandinHost& host = standinHost();
    host.session.keyboardHandlerUnregister(handler);
    host.keyStorm.setHandler(host.session.registeredKeyboardHandler());
}

void scriptWait(std::uint32_t milliseconds) {
    standinHost().mxcsrAtLastYield = _mm_getcsr();
    {
        const FloatControlScope own = hostState();
        standinHost().session.scriptWait(milliseconds);
        if (!onScriptFiber("scriptWait")) {
            return;
        }
    }
    // In the script's own state: the fiber keeps it until it resumes.
    standinHost().scriptFiber->yieldToHost();
}

void nativeInit(std::uint64_t hash) {
    const FloatControlScope own = hostState();
    standinHost().session.nativeInit(hash);
}

void nativePush64(std::uint64_t value) {
    const FloatControlScope own = hostState();
    standinHost().session.nativePush64(value);
}

std::uint64_t* nativeCall() {
    const FloatControlScope own = hostState();
    onScriptFiber("nativeCall");
    return standinHost().session.nativeCall();
}
