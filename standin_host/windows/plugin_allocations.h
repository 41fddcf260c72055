#pragma once

// What the plug-in holds of the heaps, counted block by block. The heaps' own
// figures also move as their allocator caches and settles (a
// low-fragmentation heap keeps whole groups of blocks busy), so they cannot
// tell a leak of a few bytes a load from that; this count can.
//
// While a CountedAllocation lives, msvcrt.dll's and KERNEL32.dll's export
// tables name counting stand-ins for their allocators (malloc, calloc,
// realloc, free, _strdup, _wcsdup; HeapAlloc, HeapReAlloc, HeapFree,
// LocalAlloc, LocalReAlloc, LocalFree). Every module that binds its imports
// meanwhile gets the stand-ins for its whole life: the plug-in as it loads,
// and any DLL first loaded with it. So the stand-ins count only the calls made
// from the plug-in's own image; every other caller is passed straight on.

#include <cstdint>
#include <string>

class CountedAllocation {
  public:
    // Calls from the module loaded from pluginPath are the plug-in's. Throws,
    // with the runtime's own names written back, when it cannot offer all.
    explicit CountedAllocation(const std::wstring& pluginPath);
    // Writes the runtime's own names back, if end() has not; a slot it
    // cannot write back is reported on stderr.
    ~CountedAllocation();
    CountedAllocation(const CountedAllocation&) = delete;
    CountedAllocation& operator=(const CountedAllocation&) = delete;

    // Writes the runtime's own names back; throws, naming each slot it
    // could not.
    void end();

  private:
    bool ended_ = false;
};

struct PluginAllocations {
    // Calls from the plug-in that handed out a block, since the process began.
    std::uint64_t made = 0;
    // The blocks handed out to the plug-in and not yet freed, and their bytes.
    std::uint64_t heldBlocks = 0;
    std::uint64_t heldBytes = 0;
};

PluginAllocations pluginAllocations();
