#pragma once

// The game's floating-point state is the plug-in's to run in, not the host's:
// the host sets it where control passes into the plug-in's code and takes its
// own back where the plug-in calls the host.

#include <cstdint>
#include <xmmintrin.h>

// Sets the SSE control and status register for a scope; at its end the value
// it found comes back exactly, status flags included.
class FloatControlScope {
  public:
    explicit FloatControlScope(std::uint32_t mxcsr) : saved_(_mm_getcsr()) { _mm_setcsr(mxcsr); }
    ~FloatControlScope() { _mm_setcsr(saved_); }
    FloatControlScope(const FloatControlScope&) = delete;
    FloatControlScope& operator=(const FloatControlScope&) = delete;

  private:
    std::uint32_t saved_;
};
