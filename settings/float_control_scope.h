#pragma once

// The SSE control and status register for a scope: set on entry, and on exit
// the value found there comes back exactly, status flags included, so the
// thread is left just as it was.

#include <cstdint>
#include <xmmintrin.h>

class FloatControlScope {
  public:
    explicit FloatControlScope(std::uint32_t mxcsr) : saved_(_mm_getcsr()) { _mm_setcsr(mxcsr); }
    ~FloatControlScope() { _mm_setcsr(saved_); }
    FloatControlScope(const FloatControlScope&) = delete;
    FloatControlScope& operator=(const FloatControlScope&) = delete;

  private:
    const std::uint32_t saved_;
};
