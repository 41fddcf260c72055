#pragma once

#include "plugin/host_api.h"

#include <cstdint>

constexpr std::uint32_t libraryDetached = 0;
constexpr std::uint32_t libraryAttached = 1;

// What the library entry point does for each reason code; always succeeds.
std::int32_t handleLibraryEvent(ModuleHandle module, std::uint32_t reason);
