#pragma once

// Counts every call of the global operator new in this program.

#include <cstddef>

std::size_t allocationCount();
