#pragma once

// What the plug-in holds of the heaps, counted block by block. The heaps' own
// figures also move as their allocator caches and settles (a
// low-fragmentation heap keeps whole groups of blocks busy), so they cannot
// tell a leak of a few bytes a load from that; this count can.
//
// While the plug-in loads, the export tables of the system DLLs name counting
// stand-ins for the functions that hand out or take back a heap block (the
// table in plugin_allocations.cpp). Every module that binds its imports
// meanwhile gets the stand-ins for its whole life: the plug-in, and any DLL
// first loaded with it. So the stand-ins count only the calls made from the
// plug-in's own image; every other caller is passed straight on.

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

// Runs load with the stand-ins offered, and then, also when load throws,
// writes the system's own functions back. Calls from the module loaded from
// pluginPath are the plug-in's. Throws, naming each slot, when it could not
// offer or write back every one; load has not run when an offer failed.
void withCountedAllocators(const std::wstring& pluginPath, const std::function<void()>& load);

// The counted functions, "DLL function" a line.
void printCountedAllocators(std::ostream& out);

struct PluginAllocations {
    // Calls from the plug-in that handed out a block, since the process began.
    std::uint64_t made = 0;
    // The blocks handed out to the plug-in and not yet freed, and their bytes.
    std::uint64_t heldBlocks = 0;
    std::uint64_t heldBytes = 0;
};

PluginAllocations pluginAllocations();
