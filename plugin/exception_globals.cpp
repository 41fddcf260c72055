// The C++ runtime's record of the exceptions in flight and caught. The
// runtime's own keeps one per thread in emulated thread-local storage, whose
// TLS slot and lock handle it takes at the first throw and never gives back:
// every reload after a bad settings file cost one of each, and a process has
// about a thousand slots. Linked straight into the plug-in, so that the
// runtime's version is never pulled in. One record is exact here: the plug-in
// throws only on its script fiber, and no exception outlives a yield.

#include <cxxabi.h>

namespace __cxxabiv1 {

// The runtime's layout of the record.
struct __cxa_eh_globals {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};

namespace {
__cxa_eh_globals globals;
} // namespace

extern "C" __cxa_eh_globals* __cxa_get_globals() noexcept {
    return &globals;
}

extern "C" __cxa_eh_globals* __cxa_get_globals_fast() noexcept {
    return &globals;
}

} // namespace __cxxabiv1
