#include "plugin/library_entry.h"

#include <windows.h>

namespace __gnu_cxx {
void __freeres() noexcept;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    const BOOL result = handleLibraryEvent(module, reason);
    // The runtime linked into the plug-in keeps an exception pool it never
    // gives back; on FreeLibrary (not process exit) hand it back, or every
    // reload by the host leaks it.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        __gnu_cxx::__freeres();
    }
    return result;
}
