#include "standin_host/windows/process_usage.h"

#include "standin_host/windows/plugin_allocations.h"

#include <vector>
#include <windows.h>

// Declared here with a plain class number: the SDK's enum lacks the extended
// handle list.
extern "C" __declspec(dllimport) LONG WINAPI NtQuerySystemInformation(ULONG informationClass,
                                                                      void* buffer, ULONG length,
                                                                      ULONG* needed);

namespace {

// The system's handle list with full-width process ids.
constexpr ULONG extendedHandleInformation = 64;
constexpr auto infoLengthMismatch = static_cast<LONG>(0xC0000004L);

struct HandleEntry {
    void* object;
    ULONG_PTR processId;
    ULONG_PTR handleValue;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG attributes;
    ULONG reserved;
};

struct HandleList {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

std::uint64_t countOwnHandles() {
    std::vector<unsigned char> buffer(1 << 16);
    LONG status = 0;
    for (;;) {
        ULONG needed = 0;
        status = NtQuerySystemInformation(extendedHandleInformation, buffer.data(),
                                          static_cast<ULONG>(buffer.size()), &needed);
        if (status != infoLengthMismatch) {
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) {
        return 0;
    }
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    const ULONG_PTR self = GetCurrentProcessId();
    std::uint64_t own = 0;
    for (ULONG_PTR index = 0; index < list->count; ++index) {
        own += list->entries[index].processId == self ? 1 : 0;
    }
    return own;
}

std::uint64_t sumCommittedPrivate() {
    std::uint64_t total = 0;
    const unsigned char* address = nullptr;
    MEMORY_BASIC_INFORMATION region{};
    while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
        address = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
    }
    return total;
}

std::uint64_t sumHeapBlocksInUse() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr));
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    std::uint64_t total = 0;
    for (const HANDLE heap : heaps) {
        HeapLock(heap);
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) {
                total += entry.cbData;
            }
        }
        HeapUnlock(heap);
    }
    return total;
}

} // namespace

ProcessUsage currentProcessUsage() {
    const PluginAllocations plugin = pluginAllocations();
    return {countOwnHandles(), sumCommittedPrivate(), sumHeapBlocksInUse(), plugin.heldBlocks,
            plugin.heldBytes};
}
