#pragma once

// The latest keyboard event of each key code, as the host reports them.

#include <cstdint>

struct KeyStateEntry {
    std::uint32_t tick;
    std::int32_t contextCode;
    std::int32_t previousState;
    std::int32_t transitionState;
};

constexpr std::uint32_t keyStateCount = 255;

extern KeyStateEntry keyStateTable[keyStateCount];

void recordKeyEvent(std::uint32_t key, std::uint16_t repeats, std::uint8_t scanCode,
                    std::int32_t isExtended, std::int32_t contextCode, std::int32_t previousState,
                    std::int32_t transitionState);
