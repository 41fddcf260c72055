#include "plugin/key_state_table.h"

#include "plugin/tick_count.h"

KeyStateEntry keyStateTable[keyStateCount];

void recordKeyEvent(std::uint32_t key, std::uint16_t, std::uint8_t, std::int32_t,
                    std::int32_t contextCode, std::int32_t previousState,
                    std::int32_t transitionState) {
    if (key >= keyStateCount) {
        return;
    }
    KeyStateEntry& entry = keyStateTable[key];
    entry.tick = tickCount();
    entry.contextCode = contextCode;
    entry.previousState = previousState;
    entry.transitionState = transitionState;
}
