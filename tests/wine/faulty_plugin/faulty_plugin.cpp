// A plug-in that breaks one rule of the host, chosen when it is built, so the
// tests can show that the stand-in host catches each.

#include "plugin/host_api.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <stdexcept>
#include <windows.h>
#include <xmmintrin.h>

#if defined(FAULT_IMPORTS_ATEXIT)
// The C runtime's own atexit, which outlives the plug-in, rather than the one
// MinGW's start-up code keeps inside it.
extern "C" __declspec(dllimport) int runtimeAtexit(void (*)()) __asm__("atexit");
#endif

namespace {

constexpr std::uint64_t playerPedId = 0x096275889B8E0EE0;
constexpr std::uint64_t isPedCarryingSomething = 0xA911EE21EDF69DAF;

void script() {
#if defined(FAULT_THROWS)
    throw std::runtime_error("settings went wrong");
#elif defined(FAULT_RETURNS)
    scriptWait(0);
#elif defined(FAULT_IMPORTS_ATEXIT)
    runtimeAtexit([] {});
    for (;;) {
        scriptWait(0);
    }
#elif defined(FAULT_IMPORTS_UNCOUNTED)
    void* aligned = _aligned_malloc(64, 64);
    _aligned_free(aligned);
    for (;;) {
        scriptWait(0);
    }
#elif defined(FAULT_WIDE_HANDLE)
    scriptWait(0);
    nativeInit(playerPedId);
    const std::uint64_t character = nativeCall()[0];
    nativeInit(isPedCarryingSomething);
    nativePush64(character); // the whole slot, junk and all
    nativeCall();
    for (;;) {
        scriptWait(0);
    }
#else
    for (;;) {
        scriptWait(0);
    }
#endif
}

void onKey(std::uint32_t, std::uint16_t, std::uint8_t, std::int32_t, std::int32_t, std::int32_t,
           std::int32_t) {}

// The LEAKS faults keep one block from every load, each from another
// function that hands out a block; so does IMPORTS_VIRTUAL_ALLOC.
void* volatile leaked = nullptr;

void leakOneBlock() {
#if defined(FAULT_LEAKS)
    leaked = std::malloc(16);
#elif defined(FAULT_LEAKS_EMPTY)
    leaked = std::malloc(0);
#elif defined(FAULT_LEAKS_STRDUP)
    leaked = _strdup("fifteen letters");
#elif defined(FAULT_LEAKS_LOCAL)
    leaked = LocalAlloc(LMEM_FIXED, 16);
#elif defined(FAULT_LEAKS_HEAP)
    leaked = HeapAlloc(GetProcessHeap(), 0, 16);
#elif defined(FAULT_LEAKS_MESSAGE)
    // The system allocates the message, for the caller to free.
    char* message = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                   ERROR_FILE_NOT_FOUND, 0, reinterpret_cast<char*>(&message), 0, nullptr);
    leaked = message;
#elif defined(FAULT_LEAKS_WIDE_MESSAGE)
    wchar_t* message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                   ERROR_FILE_NOT_FOUND, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    leaked = message;
#elif defined(FAULT_IMPORTS_VIRTUAL_ALLOC)
    // Pages, which no heap count sees: only the import check can.
    leaked = VirtualAlloc(nullptr, 16, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
#endif
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        leakOneBlock();
        scriptRegister(module, script);
        keyboardHandlerRegister(onKey);
#if defined(FAULT_CHANGES_MXCSR)
        // Flush-to-zero turned over and left so, for the game's code to inherit.
        _mm_setcsr(_mm_getcsr() ^ 0x8000);
#endif
    } else if (reason == DLL_PROCESS_DETACH) {
#if !defined(FAULT_STAYS_REGISTERED)
        scriptUnregister(module);
#endif
        keyboardHandlerUnregister(onKey);
    }
    return TRUE;
}
