#pragma once

// The eight operations the script-hook library exports. On Windows they are
// imported from ScriptHookRDR2.dll (the import library maps these plain names
// to the host's decorated ones); the native build links a fake host instead.

#include <cstdint>

#if defined(_WIN32) && !defined(VAXO_HOST_BUILD)
#define VAXO_HOST_IMPORT __declspec(dllimport)
#else
#define VAXO_HOST_IMPORT
#endif

using ModuleHandle = void*;
using ScriptFunction = void (*)();
// Key code, repeat count, scan code, then the four flags of a Windows
// keystroke message: extended key, context code, previous state, transition.
using KeyboardHandler = void (*)(std::uint32_t, std::uint16_t, std::uint8_t, std::int32_t,
                                 std::int32_t, std::int32_t, std::int32_t);

extern "C" {
VAXO_HOST_IMPORT void scriptRegister(ModuleHandle module, ScriptFunction script);
VAXO_HOST_IMPORT void scriptUnregister(ModuleHandle module);
VAXO_HOST_IMPORT void keyboardHandlerRegister(KeyboardHandler handler);
VAXO_HOST_IMPORT void keyboardHandlerUnregister(KeyboardHandler handler);
VAXO_HOST_IMPORT void scriptWait(std::uint32_t milliseconds);
VAXO_HOST_IMPORT void nativeInit(std::uint64_t hash);
VAXO_HOST_IMPORT void nativePush64(std::uint64_t value);
VAXO_HOST_IMPORT std::uint64_t* nativeCall();
}
