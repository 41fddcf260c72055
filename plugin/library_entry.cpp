#include "plugin/library_entry.h"

#include "plugin/key_state_table.h"
#include "plugin/script_entry.h"

std::int32_t handleLibraryEvent(ModuleHandle module, std::uint32_t reason) {
    if (reason == libraryAttached) {
        scriptRegister(module, scriptEntry);
        keyboardHandlerRegister(recordKeyEvent);
    } else if (reason == libraryDetached) {
        scriptUnregister(module);
        keyboardHandlerUnregister(recordKeyEvent);
    }
    return 1;
}
