#include "standin_host/windows/plugin_allocations.h"

#include "standin_host/windows/system_text.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <cwchar>
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

// The plug-in's blocks and their sizes. The key storm's thread may reach the
// plug-in while the script allocates.
SRWLOCK heldLock = SRWLOCK_INIT;
std::unordered_map<const void*, std::size_t> held;
std::uint64_t made = 0;

class HeldLock {
  public:
    HeldLock() { AcquireSRWLockExclusive(&heldLock); }
    ~HeldLock() { ReleaseSRWLockExclusive(&heldLock); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
};

// handedOut: a call gave the block out, rather than left it where it was. A
// block already held was freed by a path the stand-ins do not see.
void hold(const void* block, std::size_t size, bool handedOut) {
    const HeldLock lock;
    held[block] = size;
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

// With FORMAT_MESSAGE_ALLOCATE_BUFFER the system allocates the message, for
// the caller to free with LocalFree, and writes the block's address into the
// buffer argument.
template <typename Char>
void noteMessage(DWORD flags, Char* buffer, DWORD length, const void* caller) {
    if ((flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0 && length != 0) {
        note(*reinterpret_cast<Char**>(buffer), (length + 1) * sizeof(Char), caller);
    }
}

DWORD WINAPI countedFormatMessageA(DWORD flags, LPCVOID source, DWORD id, DWORD language,
                                   LPSTR buffer, DWORD size, va_list* arguments) {
    const DWORD length = FormatMessageA(flags, source, id, language, buffer, size, arguments);
    noteMessage(flags, buffer, length, CALLER);
    return length;
}

DWORD WINAPI countedFormatMessageW(DWORD flags, LPCVOID source, DWORD id, DWORD language,
                                   LPWSTR buffer, DWORD size, va_list* arguments) {
    const DWORD length = FormatMessageW(flags, source, id, language, buffer, size, arguments);
    noteMessage(flags, buffer, length, CALLER);
    return length;
}

#undef CALLER

template <typename Function> void* address(Function* function) {
    return reinterpret_cast<void*>(function);
}

// One export a row; slot, own and offered are filled in when first offered:
// the export's entry, and the values that name the system's own function (or
// its forwarder) and the stand-in.
struct Hook {
    const char* module;
    const char* name;
    void* standIn;
    DWORD* slot = nullptr;
    DWORD own = 0;
    DWORD offered = 0;
};

Hook hooks[] = {
    {"msvcrt.dll", "malloc", address(&countedMalloc)},
    {"msvcrt.dll", "calloc", address(&countedCalloc)},
    {"msvcrt.dll", "realloc", address(&countedRealloc)},
    {"msvcrt.dll", "free", address(&countedFree)},
    {"msvcrt.dll", "_strdup", address(&countedStrdup)},
    {"msvcrt.dll", "_wcsdup", address(&countedWcsdup)},
    {"KERNEL32.dll", "HeapAlloc", address(&countedHeapAlloc)},
    {"KERNEL32.dll", "HeapReAlloc", address(&countedHeapReAlloc)},
    {"KERNEL32.dll", "HeapFree", address(&countedHeapFree)},
    {"KERNEL32.dll", "LocalAlloc", address(&countedLocalAlloc)},
    {"KERNEL32.dll", "LocalReAlloc", address(&countedLocalReAlloc)},
    {"KERNEL32.dll", "LocalFree", address(&countedLocalFree)},
    {"KERNEL32.dll", "FormatMessageA", address(&countedFormatMessageA)},
    {"KERNEL32.dll", "FormatMessageW", address(&countedFormatMessageW)},
};

std::string described(const Hook& hook) {
    return std::string(hook.module) + "'s " + hook.name;
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

bool sameModule(const Hook& one, const Hook& other) {
    return std::strcmp(one.module, other.module) == 0;
}

// Each module's hooks get one block of jumps: jmp [rip+0], then the
// stand-in's address. The host bound its own imports before, so its calls
// reach the system's own functions.
void placeJumps(const Hook& first) {
    const HMODULE module = GetModuleHandleA(first.module);
    if (module == nullptr) {
        throw std::runtime_error(std::string(first.module) + " is not loaded");
    }
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    const auto count = static_cast<std::size_t>(
        std::count_if(std::begin(hooks), std::end(hooks),
                      [&](const Hook& hook) { return sameModule(hook, first); }));
    unsigned char* const jumps = reserveAbove(module, count * jumpSize);
    unsigned char* jump = jumps;
    for (Hook& hook : hooks) {
        if (!sameModule(hook, first)) {
            continue;
        }
        hook.slot = exportSlot(module, hook.name);
        if (hook.slot == nullptr) {
            throw std::runtime_error("no export " + described(hook));
        }
        const unsigned char opcode[] = {0xFF, 0x25, 0, 0, 0, 0};
        std::memcpy(jump, opcode, sizeof opcode);
        std::memcpy(jump + sizeof opcode, &hook.standIn, sizeof hook.standIn);
        hook.own = *hook.slot;
        hook.offered = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(jump) - base);
        jump += jumpSize;
    }
    DWORD previous = 0;
    if (!VirtualProtect(jumps, count * jumpSize, PAGE_EXECUTE_READ, &previous)) {
        throw std::runtime_error("cannot make the counting jumps executable: " +
                                 systemErrorText(GetLastError()));
    }
    FlushInstructionCache(GetCurrentProcess(), jumps, count * jumpSize);
}

void placeAllJumps() {
    for (const Hook& hook : hooks) {
        if (hook.slot == nullptr) {
            placeJumps(hook);
        }
    }
}

// Points every slot at its own function or at its stand-in; what it could not,
// in words, or nothing.
std::string pointSlots(DWORD Hook::* value, const char* doing) {
    std::string failed;
    for (const Hook& hook : hooks) {
        DWORD previous = 0;
        if (VirtualProtect(hook.slot, sizeof(DWORD), PAGE_READWRITE, &previous)) {
            *hook.slot = hook.*value;
            VirtualProtect(hook.slot, sizeof(DWORD), previous, &previous);
        } else {
            failed += (failed.empty() ? "cannot " : "; cannot ") + std::string(doing) + " " +
                      described(hook) + ": " + systemErrorText(GetLastError());
        }
    }
    return failed;
}

} // namespace

void withCountedAllocators(const std::wstring& path, const std::function<void()>& load) {
    placeAllJumps();
    pluginPath = path;
    imageEnd.store(0, std::memory_order_release);
    imageBegin.store(0, std::memory_order_relaxed);
    std::string failed = pointSlots(&Hook::offered, "offer the counting");
    if (failed.empty()) {
        try {
            load();
        } catch (...) {
            pointSlots(&Hook::own, "write back");
            throw;
        }
    }
    const std::string unwritten = pointSlots(&Hook::own, "write back");
    if (!unwritten.empty()) {
        failed += (failed.empty() ? "" : "; ") + unwritten;
    }
    if (!failed.empty()) {
        throw std::runtime_error(failed);
    }
}

void printCountedAllocators(std::ostream& out) {
    for (const Hook& hook : hooks) {
        out << hook.module << ' ' << hook.name << '\n';
    }
}

PluginAllocations pluginAllocations() {
    const HeldLock lock;
    PluginAllocations allocations{made, held.size(), 0};
    for (const auto& block : held) {
        allocations.heldBytes += block.second;
    }
    return allocations;
}
