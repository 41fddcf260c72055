#pragma once

#include <cstdint>

// The script's whole life: loads the settings, then one pass per frame, forever.
[[noreturn]] void runThrowLoop();

// One frame of the loop; it yields to the host first, and once more when it throws.
void runThrowPass();

void applyThrowForce(std::uint32_t entity, float x, float y, float z);
