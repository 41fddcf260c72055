#pragma once

// The one way the plug-in calls a game native: nativeInit, one nativePush64
// per argument in order, nativeCall. Arguments are encoded and results decoded
// here only, so every call site speaks in typed values.

#include "plugin/host_api.h"

#include <cstdint>
#include <cstring>

// A display text the host returned; kept only to be pushed back unchanged.
struct DisplayText {
    std::uint64_t value;
};

struct Vector3 {
    float x;
    float y;
    float z;
};

// The host's result slots, read at once before the next call starts.
class NativeResult {
  public:
    explicit NativeResult(const std::uint64_t* slots) : slots_(slots) {}

    std::uint32_t asHandle() const { return low32(0); }
    bool asBool() const { return low32(0) != 0; }
    DisplayText asDisplayText() const { return DisplayText{slots_[0]}; }
    Vector3 asVector3() const { return Vector3{lowFloat(0), lowFloat(1), lowFloat(2)}; }

  private:
    // Handle and boolean slots carry junk in their upper half.
    std::uint32_t low32(int slot) const { return static_cast<std::uint32_t>(slots_[slot]); }
    float lowFloat(int slot) const {
        const std::uint32_t bits = low32(slot);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    const std::uint64_t* slots_;
};

inline std::uint64_t encodeNativeArgument(std::uint32_t value) {
    return value;
}
inline std::uint64_t encodeNativeArgument(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}
inline std::uint64_t encodeNativeArgument(bool value) {
    return value ? 1u : 0u;
}
inline std::uint64_t encodeNativeArgument(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
inline std::uint64_t encodeNativeArgument(const char* text) {
    return reinterpret_cast<std::uintptr_t>(text);
}
inline std::uint64_t encodeNativeArgument(DisplayText text) {
    return text.value;
}

struct NativeInvoker {
    template <typename... Args> static NativeResult invoke(std::uint64_t hash, Args... args) {
        nativeInit(hash);
        (nativePush64(encodeNativeArgument(args)), ...);
        return NativeResult(nativeCall());
    }
};
