#pragma once

// While a run is guarded, a plug-in that aborts (an exception that leaves the
// script ends in abort) or crashes ends the run with a clear message naming
// the phase, after the trace recorded so far is printed, and exit code 1.

#include "standin_host/scenario_player.h"

#include <string>

class RunGuard {
  public:
    // cycleName ("cycle 3: ", or empty) goes before the phase in the message.
    RunGuard(standin::ScenarioPlayer& player, std::string cycleName);
    ~RunGuard();
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;
};
