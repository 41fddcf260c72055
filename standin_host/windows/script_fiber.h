#pragma once

// Runs the plug-in's script on a fiber of its own, as the game's host does:
// resume() switches into it, and the script's scriptWait switches back.

#include "plugin/host_api.h"
#include "standin_host/scenario_player.h"

class ScriptFiber final : public standin::ScriptRunner {
  public:
    // hostFiber is the calling thread's own fiber, which resume() leaves.
    ScriptFiber(ScriptFunction script, void* hostFiber);
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
    void* fiber_;
    bool running_ = false;
    bool returned_ = false;
};
