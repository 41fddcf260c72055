#include "standin_host/windows/plugin_allocations.h"

#include "standin_host/windows/system_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <windows.h>

namespace {

// The host bound its own imports before any stand-in was offered, so its
// calls reach the runtime's own functions.
HMODULE runtimeModule() {
    static const HMODULE module = [] {
        const HMODULE found = GetModuleHandleW(L"msvcrt.dll");
        if (found == nullptr) {
            throw std::runtime_error("msvcrt.dll is not loaded");
        }
        return found;
    }();
    return module;
}

const IMAGE_NT_HEADERS64& imageHeaders(HMODULE module) {
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    return *reinterpret_cast<const IMAGE_NT_HEADERS64*>(base +
                                                        static_cast<std::uintptr_t>(dos->e_lfanew));
}

// The key storm's thread may reach the plug-in while the script allocates.
SRWLOCK heldLock = SRWLOCK_INIT;
std::unordered_map<void*, std::size_t> held;
std::uint64_t made = 0;
std::uint64_t heldBytes = 0;

class HeldLock {
  public:
    HeldLock() { AcquireSRWLockExclusive(&heldLock); }
    ~HeldLock() { ReleaseSRWLockExclusive(&heldLock); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
};

void note(void* block, std::size_t size) {
    if (block != nullptr) {
        const HeldLock lock;
        held[block] = size;
        heldBytes += size;
        ++made;
    }
}

// Whether the plug-in got the block from a stand-in, and then its size.
bool forget(void* block, std::size_t& size) {
    const HeldLock lock;
    const auto found = held.find(block);
    if (found == held.end()) {
        return false;
    }
    size = found->second;
    heldBytes -= size;
    held.erase(found);
    return true;
}

void* __cdecl countedMalloc(std::size_t size) {
    void* block = std::malloc(size);
    note(block, size);
    return block;
}

void* __cdecl countedCalloc(std::size_t count, std::size_t size) {
    void* block = std::calloc(count, size);
    note(block, count * size);
    return block;
}

void* __cdecl countedRealloc(void* block, std::size_t size) {
    std::size_t before = 0;
    const bool counted = forget(block, before);
    void* moved = std::realloc(block, size);
    if (moved != nullptr) {
        note(moved, size);
    } else if (counted && size != 0) {
        // A failed realloc leaves the block where it was.
        note(block, before);
    }
    return moved;
}

void __cdecl countedFree(void* block) {
    std::size_t size = 0;
    forget(block, size);
    std::free(block);
}

struct CountedExport {
    const char* name;
    void* standIn;
};

const CountedExport countedExports[] = {
    {"malloc", reinterpret_cast<void*>(&countedMalloc)},
    {"calloc", reinterpret_cast<void*>(&countedCalloc)},
    {"realloc", reinterpret_cast<void*>(&countedRealloc)},
    {"free", reinterpret_cast<void*>(&countedFree)},
};
constexpr std::size_t countedExportCount = sizeof countedExports / sizeof countedExports[0];

// An export names its function by a 32-bit offset from the module's base, so
// each stand-in is reached through a jump placed above the runtime's image.
constexpr std::size_t jumpSize = 16;

unsigned char* reserveAbove(HMODULE module, std::size_t size) {
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const std::uintptr_t granularity = system.dwAllocationGranularity;
    std::uintptr_t at = (base + imageHeaders(module).OptionalHeader.SizeOfImage + granularity - 1) &
                        ~(granularity - 1);
    MEMORY_BASIC_INFORMATION region{};
    while (at + size - base <= 0xFFFFFFFFu &&
           VirtualQuery(reinterpret_cast<void*>(at), &region, sizeof region) == sizeof region) {
        if (region.State == MEM_FREE) {
            if (void* memory = VirtualAlloc(reinterpret_cast<void*>(at), size,
                                            MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)) {
                return static_cast<unsigned char*>(memory);
            }
        }
        const auto next = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
        at = (std::max(next, at + 1) + granularity - 1) & ~(granularity - 1);
    }
    throw std::runtime_error("no room for the counting jumps within 4 GiB above msvcrt.dll");
}

// The runtime's export slots of the counted functions, and what each holds
// when it names the runtime's own function and when it names the stand-in.
struct ExportSlots {
    DWORD* slot[countedExportCount];
    DWORD own[countedExportCount];
    DWORD counted[countedExportCount];
};

ExportSlots findSlots() {
    const HMODULE module = runtimeModule();
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    const IMAGE_DATA_DIRECTORY& directory =
        imageHeaders(module).OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    const auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    auto* functions = reinterpret_cast<DWORD*>(base + exports->AddressOfFunctions);

    unsigned char* jumps = reserveAbove(module, countedExportCount * jumpSize);
    ExportSlots slots{};
    for (std::size_t index = 0; index < countedExportCount; ++index) {
        const CountedExport& counted = countedExports[index];
        DWORD* slot = nullptr;
        for (DWORD name = 0; name < exports->NumberOfNames && slot == nullptr; ++name) {
            if (std::strcmp(reinterpret_cast<const char*>(base + names[name]), counted.name) == 0) {
                slot = &functions[ordinals[name]];
            }
        }
        if (slot == nullptr) {
            throw std::runtime_error(std::string("msvcrt.dll exports no ") + counted.name);
        }
        // jmp [rip+0], then the stand-in's address.
        unsigned char* jump = jumps + index * jumpSize;
        const unsigned char opcode[] = {0xFF, 0x25, 0, 0, 0, 0};
        std::memcpy(jump, opcode, sizeof opcode);
        std::memcpy(jump + sizeof opcode, &counted.standIn, sizeof counted.standIn);
        slots.slot[index] = slot;
        slots.own[index] = *slot;
        slots.counted[index] = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(jump) - base);
    }
    DWORD previous = 0;
    if (!VirtualProtect(jumps, countedExportCount * jumpSize, PAGE_EXECUTE_READ, &previous)) {
        throw std::runtime_error("cannot make the counting jumps executable: " +
                                 systemErrorText(GetLastError()));
    }
    FlushInstructionCache(GetCurrentProcess(), jumps, countedExportCount * jumpSize);
    return slots;
}

const ExportSlots& exportSlots() {
    static const ExportSlots slots = findSlots();
    return slots;
}

bool writeSlots(const DWORD (&values)[countedExportCount]) {
    const ExportSlots& slots = exportSlots();
    for (std::size_t index = 0; index < countedExportCount; ++index) {
        DWORD previous = 0;
        if (!VirtualProtect(slots.slot[index], sizeof(DWORD), PAGE_READWRITE, &previous)) {
            return false;
        }
        *slots.slot[index] = values[index];
        VirtualProtect(slots.slot[index], sizeof(DWORD), previous, &previous);
    }
    return true;
}

} // namespace

CountedAllocation::CountedAllocation() {
    if (!writeSlots(exportSlots().counted)) {
        throw std::runtime_error("cannot write msvcrt.dll's export table: " +
                                 systemErrorText(GetLastError()));
    }
}

// Where the runtime's own names went in, they go back in.
CountedAllocation::~CountedAllocation() {
    writeSlots(exportSlots().own);
}

PluginAllocations pluginAllocations() {
    const HeldLock lock;
    return {made, heldBytes};
}
