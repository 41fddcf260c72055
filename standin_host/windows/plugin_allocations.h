#pragma once

// What the plug-in holds of the C runtime's heap, counted block by block.
// The heap's own figures also move as its allocator caches and settles (a
// low-fragmentation heap keeps whole groups of blocks busy), so they cannot
// tell a leak of a few bytes a load from that; this count can.
//
// While a CountedAllocation lives, the C runtime's export table names
// counting stand-ins for malloc, calloc, realloc and free: a module that
// binds its imports meanwhile, the plug-in as it loads, gets them for its
// whole life; every other module keeps the runtime's own.

#include <cstdint>

class CountedAllocation {
  public:
    CountedAllocation();
    ~CountedAllocation();
    CountedAllocation(const CountedAllocation&) = delete;
    CountedAllocation& operator=(const CountedAllocation&) = delete;
};

struct PluginAllocations {
    // Calls to the stand-ins that handed out a block, since the process began.
    std::uint64_t made = 0;
    // Bytes in the blocks handed out and not yet freed.
    std::uint64_t heldBytes = 0;
};

PluginAllocations pluginAllocations();
