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
    // The SSE control and status register as the script had it when it last
    // yielded.
    std::uint32_t mxcsrAtLastYield = 0;
};

StandinHost& standinHost();
