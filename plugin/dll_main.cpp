#include "plugin/library_entry.h"

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    return handleLibraryEvent(module, reason);
}
