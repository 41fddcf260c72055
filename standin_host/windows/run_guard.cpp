#include "standin_host/windows/run_guard.h"

#include "standin_host/value_text.h"
#include "standin_host/windows/standin_host.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <utility>
#include <windows.h>
#include <xmmintrin.h>

namespace {

standin::ScenarioPlayer* guardedPlayer = nullptr;
std::string guardedCycle;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

// A C++ throw that no handler catches comes here first; continuing it lets
// the throwing runtime call terminate, which aborts.
constexpr DWORD gccThrowMask = 0x20FFFFFF;
constexpr DWORD gccThrowCode = 0x20474343;

void endRun(const std::string& what) {
    // A floating-point trap of the plug-in's must not strike the report too.
    _mm_setcsr(standinHost().hostMxcsr);
    guardedPlayer->printTrace();
    std::cout.flush();
    std::fflush(stdout);
    std::fprintf(stderr, "vaxo-sim: %s%s: %s\n", guardedCycle.c_str(),
                 guardedPlayer->phase().c_str(), what.c_str());
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 1);
}

void onAbort(int) {
    endRun("the plug-in aborted (an exception left the script, or it called abort)");
}

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if ((record.ExceptionCode & gccThrowMask) == gccThrowCode &&
        (record.ExceptionFlags & EXCEPTION_NONCONTINUABLE) == 0) {
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    endRun("the plug-in crashed with exception " + standin::hexText(record.ExceptionCode));
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

// The C runtime (msvcrt.dll) is shared with the plug-in, so this handler
// also sees the plug-in's abort.
RunGuard::RunGuard(standin::ScenarioPlayer& player, std::string cycleName) {
    guardedPlayer = &player;
    guardedCycle = std::move(cycleName);
    std::signal(SIGABRT, onAbort);
    previousFilter = SetUnhandledExceptionFilter(onUnhandledException);
}

RunGuard::~RunGuard() {
    SetUnhandledExceptionFilter(previousFilter);
    std::signal(SIGABRT, SIG_DFL);
    guardedPlayer = nullptr;
}
