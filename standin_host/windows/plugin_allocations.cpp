#include "standin_host/windows/plugin_allocations.h"

#include "standin_host/windows/system_text.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iostream>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <windows.h>

namespace {

const IMAGE_NT_HEADERS64& imageHeaders(HMODULE module) {
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    return *reinterpret_cast<const IMAGE_NT_HEADERS64*>(base +
                                                        static_cast<std::uintptr_t>(dos->e_lfanew));
}

// The plug-in's image, found by its path the first time a stand-in is called
// while it loads: before its entry point runs, nothing tells the host where
// the loader put it. The path is written only while no plug-in code runs.
std::wstring pluginPath;
std::atomic<std::uintptr_t> imageBegin{0};
std::atomic<std::uintptr_t> imageEnd{0};

std::uintptr_t findPluginImage() {
    // The plug-in may ask for its own last error after an allocation.
    const DWORD error = GetLastError();
    const HMODULE module = GetModuleHandleW(pluginPath.c_str());
    SetLastError(error);
    if (module == nullptr) {
        return 0;
    }
    const auto begin = reinterpret_cast<std::uintptr_t>(module);
    const std::uintptr_t end = begin + imageHeaders(module).OptionalHeader.SizeOfImage;
    imageBegin.store(begin, std::memory_order_relaxed);
    imageEnd.store(end, std::memory_order_release);
    return end;
}

bool fromPlugin(const void* caller) {
    std::uintptr_t end = imageEnd.load(std::memory_order_acquire);
    if (end == 0) {
        end = findPluginImage();
    }
    const auto at = reinterpret_cast<std::uintptr_t>(caller);
    return at >= imageBegin.load(std::memory_order_relaxed) && at < end;
}

// The key storm's thread may reach the plug-in while the script allocates.
SRWLOCK heldLock = SRWLOCK_INIT;
std::unordered_map<const void*, std::size_t> held;
std::uint64_t made = 0;
std::uint64_t heldBytes = 0;

class HeldLock {
  public:
    HeldLock() { AcquireSRWLockExclusive(&heldLock); }
    ~HeldLock() { ReleaseSRWLockExclusive(&heldLock); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
};

// handedOut: a call gave the block out, rather than left it where it was.
void hold(const void* block, std::size_t size, bool handedOut) {
    const HeldLock lock;
    const auto [entry, isNew] = held.try_emplace(block, size);
    if (!isNew) {
        // Freed by a path the stand-ins do not see, and handed out anew.
        heldBytes -= entry->second;
        entry->second = size;
    }
    heldBytes += size;
    made += handedOut ? 1 : 0;
}

void note(const void* block, std::size_t size, const void* caller) {
    if (block != nullptr && fromPlugin(caller)) {
        hold(block, size, true);
    }
}

// Whether the block was the plug-in's, and then its size.
bool forget(const void* block, std::size_t& size) {
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

void forget(const void* block) {
    std::size_t size = 0;
    forget(block, size);
}

// The old block is forgotten before it is moved, since another thread may be
// handed its address as soon as it is free. A reallocation that fails leaves
// the block where it was, unless it was one that frees (realloc to 0 bytes).
template <typename Reallocate>
void* reallocated(void* block, std::size_t size, const void* caller, bool failureFrees,
                  Reallocate reallocate) {
    std::size_t before = 0;
    const bool counted = forget(block, before);
    void* moved = reallocate();
    if (moved != nullptr) {
        if (counted || fromPlugin(caller)) {
            hold(moved, size, true);
        }
    } else if (counted && !failureFrees) {
        hold(block, before, false);
    }
    return moved;
}

#define CALLER __builtin_return_address(0)

void* __cdecl countedMalloc(std::size_t size) {
    void* block = std::malloc(size);
    note(block, size, CALLER);
    return block;
}

void* __cdecl countedCalloc(std::size_t count, std::size_t size) {
    void* block = std::calloc(count, size);
    note(block, count * size, CALLER);
    return block;
}

void* __cdecl countedRealloc(void* block, std::size_t size) {
    return reallocated(block, size, CALLER, size == 0, [=] { return std::realloc(block, size); });
}

void __cdecl countedFree(void* block) {
    forget(block);
    std::free(block);
}

char* __cdecl countedStrdup(const char* text) {
    char* copy = _strdup(text);
    note(copy, copy != nullptr ? std::strlen(copy) + 1 : 0, CALLER);
    return copy;
}

wchar_t* __cdecl countedWcsdup(const wchar_t* text) {
    wchar_t* copy = _wcsdup(text);
    note(copy, copy != nullptr ? (std::wcslen(copy) + 1) * sizeof(wchar_t) : 0, CALLER);
    return copy;
}

LPVOID WINAPI countedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
    void* block = HeapAlloc(heap, flags, size);
    note(block, size, CALLER);
    return block;
}

LPVOID WINAPI countedHeapReAlloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T size) {
    return reallocated(block, size, CALLER, false,
                       [=] { return HeapReAlloc(heap, flags, block, size); });
}

BOOL WINAPI countedHeapFree(HANDLE heap, DWORD flags, LPVOID block) {
    forget(block);
    return HeapFree(heap, flags, block);
}

HLOCAL WINAPI countedLocalAlloc(UINT flags, SIZE_T size) {
    HLOCAL block = LocalAlloc(flags, size);
    note(block, size, CALLER);
    return block;
}

HLOCAL WINAPI countedLocalReAlloc(HLOCAL block, SIZE_T size, UINT flags) {
    // LMEM_MODIFY changes the block's flags and not its size.
    std::size_t counted = size;
    if ((flags & LMEM_MODIFY) != 0) {
        const HeldLock lock;
        const auto found = held.find(block);
        counted = found != held.end() ? found->second : 0;
    }
    return reallocated(block, counted, CALLER, false,
                       [=] { return LocalReAlloc(block, size, flags); });
}

HLOCAL WINAPI countedLocalFree(HLOCAL block) {
    forget(block);
    return LocalFree(block);
}

#undef CALLER

struct CountedExport {
    const wchar_t* module;
    const char* name;
    void* standIn;
};

template <typename Function> void* address(Function* function) {
    return reinterpret_cast<void*>(function);
}

const CountedExport countedExports[] = {
    {L"msvcrt.dll", "malloc", address(&countedMalloc)},
    {L"msvcrt.dll", "calloc", address(&countedCalloc)},
    {L"msvcrt.dll", "realloc", address(&countedRealloc)},
    {L"msvcrt.dll", "free", address(&countedFree)},
    {L"msvcrt.dll", "_strdup", address(&countedStrdup)},
    {L"msvcrt.dll", "_wcsdup", address(&countedWcsdup)},
    {L"KERNEL32.dll", "HeapAlloc", address(&countedHeapAlloc)},
    {L"KERNEL32.dll", "HeapReAlloc", address(&countedHeapReAlloc)},
    {L"KERNEL32.dll", "HeapFree", address(&countedHeapFree)},
    {L"KERNEL32.dll", "LocalAlloc", address(&countedLocalAlloc)},
    {L"KERNEL32.dll", "LocalReAlloc", address(&countedLocalReAlloc)},
    {L"KERNEL32.dll", "LocalFree", address(&countedLocalFree)},
};
constexpr std::size_t countedExportCount = sizeof countedExports / sizeof countedExports[0];

// Module names are ASCII.
std::string narrow(const wchar_t* text) {
    std::string narrowed;
    for (; *text != L'\0'; ++text) {
        narrowed += static_cast<char>(*text);
    }
    return narrowed;
}

std::string described(const CountedExport& counted) {
    return narrow(counted.module) + "'s " + counted.name;
}

// The host bound its own imports before any stand-in was offered, so its
// calls reach the runtime's own functions.
HMODULE loadedModule(const wchar_t* name) {
    const HMODULE found = GetModuleHandleW(name);
    if (found == nullptr) {
        throw std::runtime_error(narrow(name) + " is not loaded");
    }
    return found;
}

// An export names its function by a 32-bit offset from the module's base, so
// each stand-in is reached through a jump placed above the module's image.
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
    throw std::runtime_error("no room for the counting jumps within 4 GiB above a module");
}

DWORD* exportSlot(HMODULE module, const char* name) {
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    const IMAGE_DATA_DIRECTORY& directory =
        imageHeaders(module).OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    const auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    auto* functions = reinterpret_cast<DWORD*>(base + exports->AddressOfFunctions);
    for (DWORD index = 0; index < exports->NumberOfNames; ++index) {
        if (std::strcmp(reinterpret_cast<const char*>(base + names[index]), name) == 0) {
            return &functions[ordinals[index]];
        }
    }
    return nullptr;
}

// The export slots of the counted functions, and what each holds when it
// names the module's own function (or its forwarder) and when it names the
// stand-in.
struct ExportSlots {
    DWORD* slot[countedExportCount];
    DWORD own[countedExportCount];
    DWORD counted[countedExportCount];
};

ExportSlots findSlots() {
    ExportSlots slots{};
    std::size_t first = 0;
    while (first < countedExportCount) {
        // The exports of one module stand together, with one block of jumps.
        const wchar_t* moduleName = countedExports[first].module;
        std::size_t last = first;
        while (last < countedExportCount && countedExports[last].module == moduleName) {
            ++last;
        }
        const HMODULE module = loadedModule(moduleName);
        const auto base = reinterpret_cast<std::uintptr_t>(module);
        const std::size_t jumpsSize = (last - first) * jumpSize;
        unsigned char* jumps = reserveAbove(module, jumpsSize);
        for (std::size_t index = first; index < last; ++index) {
            const CountedExport& counted = countedExports[index];
            DWORD* slot = exportSlot(module, counted.name);
            if (slot == nullptr) {
                throw std::runtime_error("no export " + described(counted));
            }
            // jmp [rip+0], then the stand-in's address.
            unsigned char* jump = jumps + (index - first) * jumpSize;
            const unsigned char opcode[] = {0xFF, 0x25, 0, 0, 0, 0};
            std::memcpy(jump, opcode, sizeof opcode);
            std::memcpy(jump + sizeof opcode, &counted.standIn, sizeof counted.standIn);
            slots.slot[index] = slot;
            slots.own[index] = *slot;
            slots.counted[index] =
                static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(jump) - base);
        }
        DWORD previous = 0;
        if (!VirtualProtect(jumps, jumpsSize, PAGE_EXECUTE_READ, &previous)) {
            throw std::runtime_error("cannot make the counting jumps executable: " +
                                     systemErrorText(GetLastError()));
        }
        FlushInstructionCache(GetCurrentProcess(), jumps, jumpsSize);
        first = last;
    }
    return slots;
}

const ExportSlots& exportSlots() {
    static const ExportSlots slots = findSlots();
    return slots;
}

bool writeSlot(DWORD* slot, DWORD value) {
    DWORD previous = 0;
    if (!VirtualProtect(slot, sizeof(DWORD), PAGE_READWRITE, &previous)) {
        return false;
    }
    *slot = value;
    VirtualProtect(slot, sizeof(DWORD), previous, &previous);
    return true;
}

// Writes the own names back into the first `count` slots; what it could not,
// in words, or nothing.
std::string writeBack(std::size_t count) {
    const ExportSlots& slots = exportSlots();
    std::string failed;
    for (std::size_t index = 0; index < count; ++index) {
        if (!writeSlot(slots.slot[index], slots.own[index])) {
            failed += (failed.empty() ? "" : "; ") + std::string("cannot write back ") +
                      described(countedExports[index]) + ": " + systemErrorText(GetLastError());
        }
    }
    return failed;
}

} // namespace

CountedAllocation::CountedAllocation(const std::wstring& path) {
    const ExportSlots& slots = exportSlots();
    pluginPath = path;
    imageEnd.store(0, std::memory_order_release);
    imageBegin.store(0, std::memory_order_relaxed);
    for (std::size_t index = 0; index < countedExportCount; ++index) {
        if (!writeSlot(slots.slot[index], slots.counted[index])) {
            std::string failed = "cannot offer the counting " + described(countedExports[index]) +
                                 ": " + systemErrorText(GetLastError());
            const std::string unwritten = writeBack(index);
            if (!unwritten.empty()) {
                failed += "; " + unwritten;
            }
            throw std::runtime_error(failed);
        }
    }
}

CountedAllocation::~CountedAllocation() {
    if (!ended_) {
        const std::string failed = writeBack(countedExportCount);
        if (!failed.empty()) {
            std::cerr << "vaxo-sim: " << failed << '\n';
        }
    }
}

void CountedAllocation::end() {
    ended_ = true;
    const std::string failed = writeBack(countedExportCount);
    if (!failed.empty()) {
        throw std::runtime_error(failed);
    }
}

PluginAllocations pluginAllocations() {
    const HeldLock lock;
    return {made, held.size(), heldBytes};
}
