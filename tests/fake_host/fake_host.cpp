#define VAXO_HOST_BUILD
#include "tests/fake_host/fake_host.h"

#include "plugin/host_api.h"
#include "tests/heap_counter/heap_counter.h"

HostSession& fakeHost() {
    static HostSession session;
    return session;
}

// The host's own bookkeeping is not the plug-in's allocation.
extern "C" {
void scriptRegister(ModuleHandle module, ScriptFunction script) {
    const HeapCountPause pause;
    fakeHost().scriptRegister(module, script);
}
void scriptUnregister(ModuleHandle module) {
    const HeapCountPause pause;
    fakeHost().scriptUnregister(module);
}
void keyboardHandlerRegister(KeyboardHandler handler) {
    const HeapCountPause pause;
    fakeHost().keyboardHandlerRegister(handler);
}
void keyboardHandlerUnregister(KeyboardHandler handler) {
    const HeapCountPause pause;
    fakeHost().keyboardHandlerUnregister(handler);
}
void scriptWait(std::uint32_t milliseconds) {
    const HeapCountPause pause;
    fakeHost().scriptWait(milliseconds);
}
void nativeInit(std::uint64_t hash) {
    const HeapCountPause pause;
    fakeHost().nativeInit(hash);
}
void nativePush64(std::uint64_t value) {
    const HeapCountPause pause;
    fakeHost().nativePush64(value);
}
std::uint64_t* nativeCall() {
    const HeapCountPause pause;
    return fakeHost().nativeCall();
}
}
