#define VAXO_HOST_BUILD
#include "bench/null_host.h"

#include "plugin/host_api.h"
#include "throw/natives.h"

#include <cstdint>

namespace {

std::uint64_t yes[3] = {1, 1, 1};
std::uint64_t no[3] = {0, 0, 0};
bool carrying = false;
std::uint64_t* answer = no;

} // namespace

void setNullHostCarrying(bool isCarrying) {
    carrying = isCarrying;
}

extern "C" {
void scriptRegister(ModuleHandle, ScriptFunction) {}
void scriptUnregister(ModuleHandle) {}
void keyboardHandlerRegister(KeyboardHandler) {}
void keyboardHandlerUnregister(KeyboardHandler) {}
void scriptWait(std::uint32_t) {}
void nativeInit(std::uint64_t hash) {
    answer = carrying && hash != natives::promptHasStandardModeCompleted ? yes : no;
}
void nativePush64(std::uint64_t) {}
std::uint64_t* nativeCall() {
    return answer;
}
}
