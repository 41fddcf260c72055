#include "tests/heap_counter/heap_counter.h"

#include <cstdlib>
#include <new>

namespace {

bool counting = false;
std::size_t allocations = 0;

void* allocate(std::size_t size) {
    if (counting) {
        ++allocations;
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
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

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
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
