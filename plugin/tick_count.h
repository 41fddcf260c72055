#pragma once

#include <cstdint>

// Milliseconds since the system started, wrapping at 32 bits like GetTickCount.
std::uint32_t tickCount();
