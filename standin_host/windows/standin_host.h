#pragma once

// The one host instance inside ScriptHookRDR2.dll, shared by the exported
// operations and the scenario run.

#include "standin_host/host_session.h"
#include "standin_host/key_storm.h"
#include "standin_host/windows/script_fiber.h"

#include <cstdint>

struct StandinHost {
    standin::HostSession session;
    // Set while the scenario runs the script; natives are allowed only on it.
    ScriptFiber* scriptFiber = nullptr;
    // Calls the registered keyboard handler from a second thread when started.
    standin::KeyStorm keyStorm;
    // The SSE control and status register: the host's own, in which all of
    // its work runs; the game's, in which the plug-in's code runs; and the
    // script's when it last yielded.
    std::uint32_t hostMxcsr = 0x1F80;
    std::uint32_t gameMxcsr = 0x1F80;
    std::uint32_t mxcsrAtLastYield = 0;
};

StandinHost& standinHost();
