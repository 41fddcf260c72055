#pragma once

// Runs the plug-in's script on a fiber of its own, as the game's host does:
// resume() switches into it, in the game's floating-point state, and the
// script's scriptWait switches back.

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
    // Back to the host fiber, from the script fiber only.
    void yieldToHost();
    bool isCurrent() const { return running_; }

  private:
    static void __stdcall start(void* parameter);

    ScriptFunction script_;
    void* hostFiber_;
    std::uint32_t gameMxcsr_;
    void* fiber_;
    bool running_ = false;
    bool returned_ = false;
};
