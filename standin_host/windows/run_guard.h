#pragma once

// While a run is guarded, a plug-in that aborts (an exception that leaves the
// script ends in abort) or crashes ends the run with a clear message naming
// the phase, after the trace recorded so far is printed, and exit code 1.

#include "standin_host/scenario_player.h"

class RunGuard {
  public:
    explicit RunGuard(standin::ScenarioPlayer& player);
    ~RunGuard();
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;
};
