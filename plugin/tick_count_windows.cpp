#include "plugin/tick_count.h"

#include <windows.h>

std::uint32_t tickCount() {
    return GetTickCount();
}
