#pragma once

// The plug-in's side of a native call, made by hand so that tests can also
// make the calls a correct plug-in never would.

#include "standin_host/host_session.h"
#include "standin_host/value_text.h"

#include <cstdint>
#include <initializer_list>

inline std::uint64_t* callNative(HostSession& host, std::uint64_t hash,
                                 std::initializer_list<std::uint64_t> args = {}) {
    host.nativeInit(hash);
    for (const std::uint64_t arg : args) {
        host.nativePush64(arg);
    }
    return host.nativeCall();
}

inline std::uint64_t textArg(const char* text) {
    return reinterpret_cast<std::uintptr_t>(text);
}

inline std::uint64_t floatArg(float value) {
    return standin::bitsOfFloat(value);
}

inline void noScript() {}
inline void ignoreKey(std::uint32_t, std::uint16_t, std::uint8_t, std::int32_t, std::int32_t,
                      std::int32_t, std::int32_t) {}
