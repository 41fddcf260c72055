#pragma once

// What the process holds now, to see whether load and unload cycles leak.
// Wine answers GetProcessHandleCount and PrivateUsage with 0, so the counts
// come from sources that both Wine and Windows fill in.

#include <cstdint>

struct ProcessUsage {
    // This process's entries in the system's handle list.
    std::uint64_t handles = 0;
    // Committed private pages, summed region by region.
    std::uint64_t privateBytes = 0;
    // Bytes in blocks the process's heaps have handed out and not taken back,
    // or keep busy for their own use.
    std::uint64_t heapBytes = 0;
    // Of those, the blocks the plug-in got from an allocator and holds, and
    // their bytes.
    std::uint64_t pluginHeapBlocks = 0;
    std::uint64_t pluginHeapBytes = 0;
};

ProcessUsage currentProcessUsage();
