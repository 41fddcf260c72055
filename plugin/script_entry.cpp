#include "plugin/script_entry.h"

#include "plugin/host_api.h"
#include "throw/throw_loop.h"

void scriptEntry() {
    try {
        runThrowLoop();
    } catch (...) {
        // An exception must not cross into the host's frames: a bad settings
        // file would take the game down. The handler ends here, before the
        // idling below, so that the exception object is freed rather than
        // held for as long as the plug-in stays loaded.
    }
    // The loop never returns: only a caught exception gets here. The script
    // stays alive but idle.
    for (;;) {
        scriptWait(0);
    }
}
