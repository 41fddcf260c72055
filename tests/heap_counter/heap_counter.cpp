#include "tests/heap_counter/heap_counter.h"

#include <cstdlib>
#include <new>

namespace {

bool counting = false;
std::size_t allocations = 0;

void* tryAllocate(std::size_t size, std::size_t alignment) {
    if (counting) {
        ++allocations;
    }
    size = size == 0 ? 1 : size;
    if (alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__) {
        return std::malloc(size);
    }
    // aligned_alloc wants a whole number of alignments.
    return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}

void* allocate(std::size_t size, std::size_t alignment) {
    if (void* memory = tryAllocate(size, alignment)) {
        return memory;
    }
    throw std::bad_alloc();
}

std::size_t alignmentOf(std::align_val_t alignment) {
    return static_cast<std::size_t>(alignment);
}

} // namespace

void startHeapCount() {
    allocations = 0;
    counting = true;
}

std::size_t stopHeapCount() {
    counting = false;
    return allocations;
}

HeapCountPause::HeapCountPause() : wasCounting_(counting) {
    counting = false;
}
HeapCountPause::~HeapCountPause() {
    counting = wasCounting_;
}

// The whole family, every form of new and of delete: memory that one form of
// the runtime's (or a sanitizer's) hands out must never reach another's free.
void* operator new(std::size_t size) {
    return allocate(size, 0);
}
void* operator new[](std::size_t size) {
    return allocate(size, 0);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return tryAllocate(size, 0);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return tryAllocate(size, 0);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return allocate(size, alignmentOf(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return allocate(size, alignmentOf(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return tryAllocate(size, alignmentOf(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return tryAllocate(size, alignmentOf(alignment));
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(memory);
}
