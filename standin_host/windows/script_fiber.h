#pragma once

// Runs the plug-in's script on a fiber of its own, as the game's host does:
// resume() switches into it and the script's scriptWait switches back. The
// script runs in the game's floating-point state, the host in its own.

#include "plugin/host_api.h"
#include "standin_host/scenario_player.h"

#include <cstdint>

class ScriptFiber final : public standin::ScriptRunner {
  public:
    // hostFiber is the calling thread's own fiber, which resume() leaves;
    // gameMxcsr the SSE control and status register the script starts in.
    ScriptFiber(ScriptFunction script, void* hostFiber, std::uint32_t gameMxcsr);
    ~ScriptFiber() override;
    ScriptFiber(const ScriptFiber&) = delete;
    ScriptFiber& operator=(const ScriptFiber&) = delete;

    Outcome resume() override;
    // Back to the host fiber, from the script fiber only; the script goes on
    // in the state it left in.
    void yieldToHost();
    bool isCurrent() const { return running_; }

  private:
    static void __stdcall start(void* parameter);

    ScriptFunction script_;
    void* hostFiber_;
    // The state the script gets when it next runs: the game's at its start,
    // then the one it yielded in.
    std::uint32_t scriptMxcsr_;
    void* fiber_;
    bool running_ = false;
    bool returned_ = false;
};
