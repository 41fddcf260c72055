#pragma once

// Counts the heap allocations made while counting is on, outside the host.

#include <cstddef>

void startHeapCount();
std::size_t stopHeapCount();

class HeapCountPause {
  public:
    HeapCountPause();
    ~HeapCountPause();
    HeapCountPause(const HeapCountPause&) = delete;
    HeapCountPause& operator=(const HeapCountPause&) = delete;

  private:
    bool wasCounting_;
};
